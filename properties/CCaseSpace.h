#pragma once

#include "properties/CCompactNet.h"
#include "properties/CRun.h"

#include <cstdint>
#include <span>
#include <vector>

// The cases reachable from the initial case, found as they are needed: each case a bit
// vector in one array, found again through an open-addressing table of keys, with
// the case it was first reached from and by which event (the way back to the initial
// case). Case 0 is the initial case.
//
// Breadth first (ExpandNext) the parents give shortest runs. Where steps are kept, the
// successors of every expanded case are stored (each case's list in one block), so that
// the forward graph is there for fixpoints and for products that walk it again; a case
// may then be expanded out of breadth-first order too (Successors). Without steps only
// the cases and their parents are kept: what a reachability question needs for its run.
class CCaseSpace {
public:
    using Word = CCompactNet::Word;

    CCaseSpace(const CCompactNet& net, bool keepSteps);

    const CCompactNet& Net() const { return m_net; }
    bool KeepsSteps() const { return m_bKeepSteps; }
    int Count() const { return m_nCases; }
    const Word* Case(int i) const { return m_arrWords.data() + Offset(i); }
    // The index of the case, -1 when it has not been found.
    int Find(const Word* c) const;

    // Expands the first case, in order of finding, that is not expanded yet; false when
    // every case found is expanded: the space is complete.
    bool ExpandNext();
    // The case whose turn it is in breadth-first order (Count() once complete).
    int NextInOrder() const { return m_nNext; }
    bool IsComplete() const { return m_nExpanded == m_nCases; }
    bool IsExpanded(int i) const;
    // The cases single events lead to from case i (steps kept only), in the net's order
    // of events; case i is expanded first where it is not.
    std::span<const std::uint32_t> Successors(int i);
    // The successors of an expanded case (steps kept only).
    std::span<const std::uint32_t> StoredSuccessors(int i) const {
        return {m_arrSteps.data() + m_arrFirst[Index(i)], m_arrDegree[Index(i)]};
    }
    std::uint64_t StepCount() const { return m_arrSteps.size(); }

    int Parent(int i) const { return m_arrParent[Index(i)]; }
    // The run along the parents from the initial case to case i.
    CRun RunTo(int i) const;
    // The run through the given cases (each a successor of the one before, or the same
    // case again where it has no event with concession); loopStart >= 0 makes it a loop
    // back to that position, the last case being equal to it.
    CRun RunThrough(const std::vector<int>& cases, long loopStart) const;
    // An event leading from case a to case b, -1 for none.
    int EventBetween(int a, int b) const;

    // The bytes held (cases, table, parents, steps).
    std::size_t Bytes() const;

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    std::size_t Offset(int i) const { return Index(i) * Index(m_net.Words()); }
    std::uint64_t Hash(const Word* c) const;
    // The slot holding the case, or the empty one where it would go; its key.
    std::size_t Lookup(const Word* c, std::uint64_t hash, std::uint64_t& key) const;
    int Intern(const Word* c, std::uint64_t hash, int parent, int event);
    void Grow();
    void Expand(int i);

    static constexpr std::uint32_t kUnexpanded = 0xffffffffu;

    const CCompactNet& m_net;
    bool m_bKeepSteps;
    int m_nCases = 0;
    int m_nNext = 0;
    int m_nExpanded = 0;
    std::vector<Word> m_arrWords;
    // Open addressing, at most half full: the case's key (the case where it is one
    // word, else its hash) and its index + 1, 0 for an empty slot.
    struct Slot {
        Word key = 0;
        std::uint32_t id = 0;
    };
    std::vector<Slot> m_arrTable;
    std::vector<int> m_arrParent;
    std::vector<int> m_arrParentEvent;
    // With steps: per case its first step and its number of steps (kUnexpanded before);
    // without them, a case is expanded when it comes before m_nNext.
    std::vector<std::uint64_t> m_arrFirst;
    std::vector<std::uint32_t> m_arrDegree;
    std::vector<std::uint32_t> m_arrSteps;
    // The case being expanded, and its successors with their events and hashes.
    std::vector<Word> m_arrScratch;
    std::vector<Word> m_arrNext;
    std::vector<int> m_arrNextEvents;
    std::vector<std::uint64_t> m_arrNextHashes;
};
