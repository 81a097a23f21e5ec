#pragma once

#include "edit/CEditCommand.h"
#include "model/CEditRecorder.h"
#include "model/CElementState.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// One edit as the elements it touched: each element's state before and after, the
// order of each list of elements before and after, and the changes of other kinds in
// the order they were made. Undo puts back every before, redo every after, so that an
// edit costs what it touched, whatever the size of the document.
//
// The commit is open while the edit is made (the diagrams report to it as a
// recorder) and closed when it ends, which takes the states after. An element taken
// out of every list belongs to the commit while the commit is done, one it added while
// it is undone; the commit deletes what it holds when it goes.
class CElementCommit : public CEditCommand, public CEditRecorder {
public:
    // The generation of a diagram by its tag: it grows when the diagram's elements are
    // made anew (a new case graph, a new run), and what an edit recorded of the diagram
    // before no longer applies.
    using GenerationOf = std::function<std::uint64_t(int nDiagram)>;

    CElementCommit(std::string text, int nMergeKey, GenerationOf generationOf);
    ~CElementCommit() override;

    // --- While open. ---
    // The diagram whose elements and lists are reported next.
    void SetDiagram(int nDiagram);
    void Modify(CPNElement* element) override;
    void ModifyList(std::list<CPNElement*>& list) override;
    void Discard(CPNElement* element) override;
    void Record(std::unique_ptr<CEditChange> change) override;
    // Names the edit otherwise (the command that made it), with a merge key.
    void Rename(std::string text, int nMergeKey);
    // Takes the states after the edit; true when it changed anything.
    bool Close();
    // Puts back what the open commit touched (a gesture cancelled): the commit is then
    // empty.
    void Rollback();

    // --- Closed. ---
    void Do() override;
    void Undo() override;
    // The changes of other kinds one at a time, the progress polled between two: a
    // cancel puts back those already done (an edit of many pieces, such as a large
    // layout made in parts, goes back and forth in steps that can be stopped).
    bool Do(const WorkProgress& progress) override;
    bool Undo(const WorkProgress& progress) override;
    bool MergeWith(CEditCommand& next) override;
    std::size_t Size() const override { return m_nSize; }
    bool IsEmpty() const;

    // No key: never merged.
    static constexpr int kNoMerge = 0;

private:
    struct ElementEntry {
        int diagram = 0;
        std::uint64_t generation = 0;
        CPNElement* element = nullptr;
        std::unique_ptr<CElementState> before;
        std::unique_ptr<CElementState> after;
    };
    struct ListEntry {
        int diagram = 0;
        std::uint64_t generation = 0;
        std::list<CPNElement*>* list = nullptr;
        std::vector<CPNElement*> before;
        std::vector<CPNElement*> after;
    };
    // The elements in a list before and not after (removed), after and not before
    // (added).
    void CollectMembership();
    void DeleteHeld();
    std::size_t ComputeSize() const;

    template <class Entry> bool Applies(const Entry& entry) const {
        return m_generationOf(entry.diagram) == entry.generation;
    }

    int m_nMergeKey;
    GenerationOf m_generationOf;
    int m_nDiagram = 0;
    bool m_bDone = true;
    std::vector<ElementEntry> m_elements;
    std::unordered_map<const CPNElement*, std::size_t> m_indexOf;
    std::vector<ListEntry> m_lists;
    std::unordered_map<const std::list<CPNElement*>*, std::size_t> m_listIndexOf;
    std::vector<std::unique_ptr<CEditChange>> m_changes;
    // Discarded while open; after closing, the removed elements are among them.
    std::unordered_set<CPNElement*> m_discarded;
    std::vector<CPNElement*> m_removed;
    std::vector<CPNElement*> m_added;
    std::size_t m_nSize = 0;
};
