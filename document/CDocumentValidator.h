#pragma once

#include <list>
#include <unordered_set>
#include <vector>

class CCaseGraph;
class CNetDesign;
class CObject;
class COccurrenceNet;
class CPNElement;
class CZerinDoc;

// The checks after a document was read: the objects must fit together as the program
// builds them, or the file would crash it later. Each object the archive created must be
// held by exactly one container; edges join elements of their own diagram; a name label
// and its owner name each other; the counts agree with their arrays; sizes and routes
// are sound. A file that fails throws CArchiveException (InconsistentStructure).
class CDocumentValidator {
public:
    static void Validate(const CZerinDoc& doc, const std::vector<CObject*>& loaded);

private:
    explicit CDocumentValidator(const CZerinDoc& doc) : m_doc(doc) {}

    void CheckDocument() const;
    void CheckOwnership(const std::vector<CObject*>& loaded);
    void CheckNetDesign() const;
    void CheckCaseGraph() const;
    void CheckOccurrenceNet() const;
    void CheckFreeElements(const std::list<CPNElement*>& elements) const;

    bool IsNetCondition(const CObject* object) const;
    bool IsNetEvent(const CObject* object) const;

    const CZerinDoc& m_doc;
    std::unordered_set<const CPNElement*> m_setNet;
    std::unordered_set<const CPNElement*> m_setCases;
    std::unordered_set<const CPNElement*> m_setGraphFree;
    std::unordered_set<const CPNElement*> m_setRecord;
    std::unordered_set<const CPNElement*> m_setDecorations;
};
