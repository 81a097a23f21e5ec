#pragma once

#include "base/CSize.h"
#include "model/CEditChange.h"

#include <array>
#include <cstdint>

class CCaseGraph;
class CNetDesign;
class COccurrenceNet;
class CZerinDoc;
struct CDocumentRecord;

// What an edit changed of the document's own settings and of its diagrams' (the grid,
// the extents, the counters that name new elements, whether the net was tested and its
// case graph laid out). Undo and redo set only the fields the edit changed. A case
// graph computed anew since the edit is not claimed to fit the net: undoing or redoing
// an edit that changed the net's tested state then leaves the net to be tested again.
class CDocumentFieldsChange final : public CEditChange {
public:
    struct Fields {
        bool grid = true;
        bool gridSaved = true;
        int gridSize = 10;
        bool netModified = true;
        bool caseGraphLaidOut = false;
        bool caseGraphValid = false;
        bool contactFree = false;
        std::array<int, 4> nextName{};
        CSize netSize;
        int caseGridSize = 10;
        int caseMinGridSize = 10;
        CSize caseExtent;
        bool caseLaidOut = false;
        CSize occurrenceSize;
        bool operator==(const Fields&) const = default;
    };

    static Fields Capture(const CZerinDoc& doc);

    // What the change puts back: the document's parts.
    struct Parts {
        CZerinDoc& doc;
        CDocumentRecord& record;
        CNetDesign& net;
        CCaseGraph& caseGraph;
        COccurrenceNet& occurrenceNet;
    };
    CDocumentFieldsChange(const Parts& parts, const Fields& before, const Fields& after,
                          std::uint64_t nCaseGraphGeneration)
        : m_parts(parts), m_before(before), m_after(after),
          m_nCaseGraphGeneration(nCaseGraphGeneration) {}

    void Undo() override { Apply(m_before); }
    void Redo() override { Apply(m_after); }
    std::size_t Size() const override { return sizeof(*this); }

private:
    void Apply(const Fields& to);

    Parts m_parts;
    Fields m_before;
    Fields m_after;
    std::uint64_t m_nCaseGraphGeneration;
};
