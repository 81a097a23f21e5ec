#pragma once

#include "base/UInt128.h"
#include "engines/CCaseTable.h"
#include "engines/ECaseGraphResult.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CPNCondition;
class CPNEvent;
class CSetConditions;
class CSetEvents;

class CCaseCode;
class CWorkerPool;

// The breadth-first exploration of the case graph on compact cases: the conditions
// are numbered, a case is a bit vector of condition numbers and the pre- and post-sets
// of the events are bit vectors too, so that concession, detachment and the firing of
// a step are a few word operations. Nodes, arcs and candidates come out in the order
// of the drawable case graph (CCaseGraph), which creates its objects from the result.
// The cases are kept as their keys (CCaseCode: the bits of the conditions that
// determine them), in a few bytes each (CCaseTable).
//
// Where only the cases are kept, the cases known are expanded by several threads at
// once, in batches: each thread takes cases of the batch in turn and finds their
// successors in the table as it stood when the batch began; the successors not there
// are then added in the order of the cases that lead to them, as one thread would have
// added them. The cases and their numbers do not depend on the number of threads.
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
    ~CCaseExplorer();

    static constexpr int kProgressInterval = 4096;
    // The threads that find the cases of a run keeping cases only; 0 (the default) for
    // as many as the machine has cores.
    void SetThreads(int threads) { m_nThreads = threads; }

    int GetCaseCount() const { return m_table.Count(); }
    int GetArcCount() const { return m_nArcs; }
    // The steps between the cases, each counted once (forward from its first case):
    // the arcs of a run that keeps them, counted without listing them otherwise.
    UInt128 GetStepCount() const { return m_nStepCount; }
    // The steps of case i in one direction, produced again in the order a run that
    // keeps steps meets them: the events as bits and the case the step leads to
    // (-1 for one outside the class). Only after Run.
    using StepVisitor = std::function<void(const Word* events, int target)>;
    void ForEachStep(int index, bool forward, const StepVisitor& visit);
    // The same, only the steps to the cases listed (indices, ascending), in the order of
    // the list. A step to case t leaves the conditions case i has and t has not and
    // enters those t has and case i has not, so only the events with concession inside
    // that difference are tried for t: a case of thirty philosophers has thousands of
    // steps, while those to a few cases shown around it are a handful. A long list is
    // served by all of the steps, filtered.
    void ForEachStepAmong(int index, bool forward, const std::vector<int>& targets,
                          const StepVisitor& visit);
    // Called by a step visitor: ForEachStep produces no further step of this case.
    void StopVisiting() { m_bCancelled = true; }
    // The cases that single events with concession lead to from case i, in the net's
    // order of the events (repeated where two events lead to one case).
    void ForEachEventSuccessor(int index, bool forward, const std::function<void(int)>& visit);
    // The same for every case at once, by the threads of the search, as successor lists:
    // case i's are targets[first[i]] ... targets[first[i + 1] - 1], each case once (two
    // events leading to one case give one entry), in the order ForEachEventSuccessor
    // meets them. The lists are made in one allocation where the search counted its
    // successors. goOn is asked between batches of cases with the cases listed; false
    // when it said stop (the lists are then incomplete). Only after a run keeping cases.
    bool ListEventSuccessors(bool forward, std::vector<std::int64_t>& first,
                             std::vector<int>& targets, const std::function<bool(int)>& goOn);
    // The events named by bits, into the given set (emptied first).
    void GetEvents(const Word* bits, CSetEvents& events) const;
    // Whether some event has its pre-set and meets its post-set (or the other way
    // round) in case i.
    bool HasContact(int index) const;
    // Whether some case of the class holds a contact situation: the cases tested by the
    // search's threads, the first found ending the test.
    bool HasContactInTheClass();
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

    // The bits of case i into out (GetConditionWords() words).
    void GetCaseWords(int index, Word* out) const;
    // The node holding the case (a bit vector of GetConditionWords() words), or -1.
    int FindCase(const Word* words) const;
    int GetConditionWords() const { return m_nConditionWords; }
    // The bytes the cases take.
    std::size_t GetCaseBytes() const { return m_table.Bytes(); }
    // The bits a case is kept in.
    int GetKeyBits() const;
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
    void AddArc(const Word* events, Arc arc);

    // Besides keeping arcs: finding cases by single events (counting the steps), or
    // handing the steps or single-event successors of one case to a visitor.
    enum class EMode { KeepSteps, CasesOnly, VisitSteps, VisitSuccessors, CountOnly };

    // What one thread needs to expand a case: the case, its events with concession, the
    // candidates of a long net, the prefixes of the steps being built, the successors
    // found by single events with their probes.
    struct Expansion {
        EMode mode = EMode::KeepSteps;
        int expanding = 0;
        // The case and its key.
        std::vector<Word> words;
        std::vector<Word> key;
        std::vector<int> enabled;
        std::vector<int> forwardEnabled;
        std::vector<int> candidates;
        std::vector<unsigned> seen;
        unsigned seenStamp = 0;
        int maxDepth = 0;
        std::vector<Word> levels;     // pre and post union per depth
        std::vector<Word> stepEvents; // the candidate's event bits
        std::vector<Word> next;
        std::vector<Word> nextKey;
        // The keys of the successors by single events, and their hashes.
        std::vector<Word> successors;
        std::vector<std::uint64_t> hashes;
        std::uint64_t counted = 0;
        // Cases only, in a batch: the keys of the successors not in the table, the
        // steps counted and the successors met.
        std::vector<Word> fresh;
        UInt128 steps = 0;
        std::uint64_t met = 0;
    };
    void Prepare(Expansion& x) const;
    // Case i into the expansion.
    void Load(int index, Expansion& x) const;
    const Word* Current(const Expansion& x) const { return x.words.data(); }
    int AddInitial();

    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    // The hot paths come in two widths: N = 1 for nets of up to 64 conditions, and
    // N = 0 for any number of words (m_nConditionWords).
    template <int N> int Words() const { return N > 0 ? N : m_nConditionWords; }
    template <int N> bool Meets(const Word* a, const Word* b) const;
    template <int N> ECaseGraphResult RunWith();
    // Cases only: the cases expanded batch by batch by the pool's threads.
    template <int N> ECaseGraphResult RunInBatches();
    // The cases [first, last) of a batch, expanded into the chunk's expansion.
    template <int N> void ExpandChunk(Expansion& x, int first, int last);
    // The successors by single events of the cases [first, last), each once per case,
    // appended to targets, and their number per case to counts.
    template <int N>
    void ListChunkSuccessors(Expansion& x, int first, int last, bool forward,
                             std::vector<int>& targets, std::vector<int>& counts) const;
    // The successors the batch's chunks found, added in order; false when cancelled.
    bool MergeBatch(int chunks);
    // The events a case tests one by one; past them, only those touching its conditions.
    static constexpr std::size_t kFewEvents = 256;

    // One case in one direction: the enabled events, then every candidate step.
    template <int N> void Expand(Expansion& x, bool forward);
    // The events with concession in the current case, into x.enabled.
    template <int N> void FindEnabled(Expansion& x, bool forward) const;
    // The keys of the successors by the events (with concession) into x.successors from
    // position at, with their hashes, their slots fetched ahead.
    void SuccessorKeys(Expansion& x, const std::vector<int>& events, std::size_t at) const;
    // Every step of the events with concession (x.enabled), to Emit.
    template <int N> void EnumerateAll(Expansion& x, bool forward);
    template <int N> void Enumerate(Expansion& x, int first, int depth, bool forward);
    // The candidate at this depth of the level buffers, fired from the current case.
    template <int N> void Emit(Expansion& x, int depth, bool forward);
    bool StepExists(int other, bool forward) const;
    // The non-empty sets of pairwise detached events among those with concession.
    template <int N> UInt128 CountSteps(Expansion& x);
    template <int N> void ExpandCase(int index, bool forward);
    template <int N>
    void StepsAmong(int index, bool forward, const std::vector<int>& targets,
                    const StepVisitor& visit);
    // The events that may have concession in the current case, in the net's order.
    void CollectCandidates(Expansion& x, bool forward) const;

    Word* LevelPre(Expansion& x, int depth) const {
        return x.levels.data() + Index(2 * depth * m_nConditionWords);
    }
    Word* LevelPost(Expansion& x, int depth) const {
        return LevelPre(x, depth) + m_nConditionWords;
    }
    const Word* Pre(int event) const {
        return m_arrPre.data() + Index(event) * Index(m_nConditionWords);
    }
    const Word* Post(int event) const {
        return m_arrPost.data() + Index(event) * Index(m_nConditionWords);
    }
    // Case i's bits in the scratch words.
    const Word* Read(int index) const;
    bool HasContactIn(const Word* c) const;

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
    // Nets of more than 64 conditions and many events: per side (pre, post) the events
    // touching each condition and those with that side empty.
    std::array<std::vector<std::vector<int>>, 2> m_arrTouching;
    std::array<std::vector<int>, 2> m_arrUntouched;
    bool m_bCandidates = false;

    // The graph.
    std::unique_ptr<CCaseCode> m_pCode;
    CCaseTable m_table;
    int m_nKeyWords = 1;
    int m_nArcs = 0;
    std::vector<ArcBlock> m_arrBlocks;
    int m_nReleasedBlocks = 0;
    mutable std::vector<Word> m_arrRead;

    // The expansion of the run and of the steps asked for one by one.
    Expansion m_main;
    int m_nExpanding = 0;
    const StepVisitor* m_pVisitSteps = nullptr;
    const std::function<void(int)>* m_pVisitSuccessors = nullptr;
    UInt128 m_nStepCount = 0;

    // Cases only: the threads and each chunk's expansion.
    int m_nThreads = 0;
    std::unique_ptr<CWorkerPool> m_pPool;
    std::vector<Expansion> m_arrChunks;
    std::vector<const Word*> m_arrBatchSlots;

    const CaseGraphProgress* m_pProgress = nullptr;
    long long m_nMet = 0;
    bool m_bCancelled = false;
};
