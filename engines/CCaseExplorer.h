#pragma once

#include "engines/ECaseGraphResult.h"
#include "base/UInt128.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CPNCondition;
class CPNEvent;
class CSetConditions;
class CSetEvents;

// The breadth-first exploration of the case graph on compact cases: the conditions
// are numbered, a case is a bit vector of condition numbers and the pre- and post-sets
// of the events are bit vectors too, so that concession, detachment and the firing of
// a step are a few word operations. Nodes, arcs and candidates come out in the order
// of the drawable case graph (CCaseGraph), which creates its objects from the result.
class CCaseExplorer {
public:
    using Word = std::uint64_t;

    // Numbers the conditions of the initial case and of the events' pre- and
    // post-sets. The events are taken in the given order (the net's).
    CCaseExplorer(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase);

    // What a run keeps: every step as an arc, or only the cases (found by single
    // events, which reach the same cases as steps) and the number of steps.
    enum class EKeep { Steps, CasesOnly };

    // Explores every case reachable from the initial case by forward or backward
    // steps. The progress callback, if any, is asked every kProgressInterval arcs met
    // whether to go on; when it says no, the result is Cancelled and the counts stop
    // where they were.
    ECaseGraphResult Run(const CaseGraphProgress& progress = {}, EKeep keep = EKeep::Steps);

    static constexpr int kProgressInterval = 4096;

    int GetCaseCount() const { return m_nCases; }
    int GetArcCount() const { return m_nArcs; }
    // The steps between the cases, each counted once (forward from its first case):
    // the arcs of a run that keeps them, counted without listing them otherwise.
    UInt128 GetStepCount() const { return m_nStepCount; }
    // The steps of case i in one direction, produced again in the order a run that
    // keeps steps meets them: the events as bits and the case the step leads to
    // (-1 for one outside the class). Only after Run.
    using StepVisitor = std::function<void(const Word* events, int target)>;
    void ForEachStep(int index, bool forward, const StepVisitor& visit);
    // The cases that single events with concession lead to from case i, in the net's
    // order of the events (repeated where two events lead to one case).
    void ForEachEventSuccessor(int index, bool forward, const std::function<void(int)>& visit);
    // The events named by bits, into the given set (emptied first).
    void GetEvents(const Word* bits, CSetEvents& events) const;
    // Whether some event has its pre-set and meets its post-set (or the other way
    // round) in case i.
    bool HasContact(int index) const;
    // Whether the event (by its place in the net's order) has forward concession in case i.
    bool HasConcession(int index, int event) const;
    const std::vector<CPNEvent*>& GetEvents() const { return m_arrEvents; }
    // The case of node i as a condition set.
    CSetConditions GetCase(int index) const;
    int GetArcFrom(int arc) const { return static_cast<int>(ArcAt(arc).from); }
    int GetArcTo(int arc) const { return static_cast<int>(ArcAt(arc).to); }
    // The events of the arc, into the given set (emptied first).
    void GetArcEvents(int arc, CSetEvents& events) const;
    // The events of the arc as bits (GetEventWords() words): equal bits, equal sets.
    const Word* GetArcEventWords(int arc) const {
        return m_arrBlocks[Index(arc / kBlockArcs)].events.data() +
               Index(arc % kBlockArcs) * Index(m_nEventWords);
    }
    int GetEventWords() const { return m_nEventWords; }
    // Frees the storage of the arcs before this one, which must not be asked for
    // again: whoever turns the arcs into objects keeps only one copy of them.
    void ReleaseArcsBefore(int arc);

    // The bits of case i (GetConditionWords() words).
    const Word* GetCaseWords(int index) const { return CaseWords(index); }
    // The node holding the case (a bit vector of GetConditionWords() words), or -1.
    int FindCase(const Word* words) const;
    int GetConditionWords() const { return m_nConditionWords; }
    // The condition number of a condition, -1 for one that the net does not use.
    int GetConditionNumber(const CPNCondition* condition) const;

private:
    struct Arc {
        std::uint32_t from;
        std::uint32_t to;
    };
    // The arcs are kept in blocks, so that the storage neither moves while it grows
    // nor stays twice when the arcs become objects.
    static constexpr int kBlockArcs = 1 << 14;
    struct ArcBlock {
        std::vector<Arc> arcs;
        std::vector<Word> events; // m_nEventWords per arc
    };
    const Arc& ArcAt(int arc) const {
        return m_arrBlocks[Index(arc / kBlockArcs)].arcs[Index(arc % kBlockArcs)];
    }
    void AddArc(Arc arc);

    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    const Word* CaseWords(int index) const {
        return m_arrCaseWords.data() + Index(index) * Index(m_nConditionWords);
    }
    // The hot paths come in two widths: N = 1 for nets of up to 64 conditions, and
    // N = 0 for any number of words (m_nConditionWords).
    template <int N> int Words() const { return N > 0 ? N : m_nConditionWords; }
    template <int N> std::size_t Hash(const Word* words) const;
    template <int N> int FindCaseIn(const Word* words) const;
    template <int N> int FindCaseIn(const Word* words, std::size_t hash) const;
    template <int N> bool Meets(const Word* a, const Word* b) const;
    template <int N> ECaseGraphResult RunWith();
    int AddCase(const Word* words);
    void GrowCaseIndex();
    void PlaceInIndex(int index);
    static constexpr int kTagShift = 26;
    static constexpr int kMaxTaggedCases = (1 << kTagShift) - 1;
    // The events a case tests one by one; past them, only those touching its conditions.
    static constexpr std::size_t kFewEvents = 256;
    static std::uint32_t Tag(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 58); }
    std::uint32_t SlotValue(int index, std::size_t hash) const {
        const auto value = static_cast<std::uint32_t>(index) + 1;
        return m_bTagged ? (Tag(hash) << kTagShift) | value : value;
    }
    int SlotIndex(std::uint32_t value) const {
        return static_cast<int>(m_bTagged ? value & ((1u << kTagShift) - 1) : value) - 1;
    }
    bool TagMatches(std::uint32_t value, std::size_t hash) const {
        return !m_bTagged || (value >> kTagShift) == Tag(hash);
    }

    // One case in one direction: the enabled events, then every candidate step.
    template <int N> void Expand(bool forward);
    // Every step of the events with concession (m_arrEnabled), to Emit.
    template <int N> void EnumerateAll(bool forward);
    template <int N> void Enumerate(int first, int depth, bool forward);
    // The candidate at this depth of the level buffers, fired from the current case.
    template <int N> void Emit(int depth, bool forward);
    bool StepExists(int other, bool forward) const;
    // The non-empty sets of pairwise detached events among those with concession.
    template <int N> UInt128 CountSteps();
    template <int N> void ExpandCase(int index, bool forward);
    // The events that may have concession in the current case, in the net's order.
    void CollectCandidates(bool forward);

    Word* LevelPre(int depth) { return m_arrLevels.data() + Index(2 * depth * m_nConditionWords); }
    Word* LevelPost(int depth) { return LevelPre(depth) + m_nConditionWords; }
    const Word* Pre(int event) const {
        return m_arrPre.data() + Index(event) * Index(m_nConditionWords);
    }
    const Word* Post(int event) const {
        return m_arrPost.data() + Index(event) * Index(m_nConditionWords);
    }

    // The net.
    std::vector<CPNCondition*> m_arrConditions; // by condition number = serial order
    std::vector<CPNEvent*> m_arrEvents;         // in the net's order
    std::vector<CPNEvent*> m_arrEventsBySerial; // by event bit
    std::vector<int> m_arrEventBit;             // per event in net order
    int m_nConditionWords = 1;
    int m_nEventWords = 1;
    std::vector<Word> m_arrPre;
    std::vector<Word> m_arrPost;
    std::vector<Word> m_arrInitial;

    // The graph.
    int m_nCases = 0;
    std::vector<Word> m_arrCaseWords;
    // Open addressing, 0 empty. A slot holds the case's index plus one and, below
    // kMaxTaggedCases cases, six bits of its hash above it, so that a probe reads the
    // words of a case only when the tags agree.
    std::vector<std::uint32_t> m_arrCaseIndex;
    bool m_bTagged = true;
    int m_nArcs = 0;
    std::vector<ArcBlock> m_arrBlocks;
    int m_nReleasedBlocks = 0;

    // The case being expanded.
    int m_nExpanding = 0;
    std::vector<Word> m_arrCurrent;
    std::vector<Word> m_arrNext;
    std::vector<int> m_arrEnabled;
    // Nets of more than 64 conditions: per side (pre, post) the events touching each
    // condition and those with that side empty; the candidates of the current case
    // and the stamps that keep them unique.
    std::array<std::vector<std::vector<int>>, 2> m_arrTouching;
    std::array<std::vector<int>, 2> m_arrUntouched;
    std::vector<int> m_arrCandidates;
    std::vector<unsigned> m_arrSeen;
    unsigned m_nSeenStamp = 0;
    int m_nMaxDepth = 0;
    std::vector<Word> m_arrLevels;     // pre and post union per depth
    std::vector<Word> m_arrStepEvents; // the candidate's event bits

    // Besides keeping arcs: finding cases by single events (counting the steps), or
    // handing the steps or single-event successors of one case to a visitor.
    enum class EMode { KeepSteps, CasesOnly, VisitSteps, VisitSuccessors, CountOnly };
    EMode m_eMode = EMode::KeepSteps;
    const StepVisitor* m_pVisitSteps = nullptr;
    const std::function<void(int)>* m_pVisitSuccessors = nullptr;
    UInt128 m_nStepCount = 0;
    std::uint64_t m_nCounted = 0;
    // The successors by single events of the case being expanded, and their hashes.
    std::vector<Word> m_arrSuccessors;
    std::vector<std::size_t> m_arrSuccessorHashes;

    const CaseGraphProgress* m_pProgress = nullptr;
    long long m_nMet = 0;
    bool m_bCancelled = false;
};
