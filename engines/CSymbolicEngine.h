#pragma once

#include "engines/CCaseEngine.h"
#include "engines/CCaseSet.h"
#include "engines/ECaseGraphResult.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CNetStructure;
class CPNEvent;

// The case class as sets of cases in binary decision diagrams (BuDDy): one variable
// per condition for the case, one per condition for the case after a step, one per
// event for the events of a step, in an order made from the net's structure
// (SymbolicOrder) and kept: no sifting inside the searches. Reachability is found by
// saturation of single-event images (CSaturation), forward and both ways; the steps are
// counted case by case where the cases are few, else as the assignments of the step
// relation (events with concession, pairwise detached, at least one), never listed; the
// shortest path follows the breadth-first layers of that relation. Takes nets whose
// cases do not fit one by one.
//
// The engine works on the net as numbers (CNetStructure: conditions and events by their
// numbers), whether it was drawn or read from a file; made from drawn events, it also
// answers in their elements (the case class of the program and of zerin-cli).
//
// The library keeps its tables for the whole process: one such analysis exists at a
// time (a second one throws std::logic_error).
class CSymbolicEngine : public CCaseEngine {
public:
    // The engine of a net as numbers, from the structure's initial case.
    explicit CSymbolicEngine(const CNetStructure& net);
    // The engine of drawn events (their pre- and post-sets filled), from the initial case
    // given: the conditions they use numbered in serial order, the events in theirs.
    CSymbolicEngine(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase);
    ~CSymbolicEngine() override;
    CSymbolicEngine(const CSymbolicEngine&) = delete;
    CSymbolicEngine& operator=(const CSymbolicEngine&) = delete;

    // Computes what the initial case reaches by forward steps; the class both ways
    // follows when an answer first needs it (it may be far larger). The progress
    // callback is told the cases found so far (at most INT_MAX); with a memory limit
    // (bytes, 0 for none) the diagrams stop growing there: the result is
    // NotEnoughMemory, and an answer past it throws std::bad_alloc.
    ECaseGraphResult Run(const CaseGraphProgress& progress = {}, long long memoryLimit = 0);
    // The symbolic engine of a net with its initial case, run forward within the memory
    // limit; null where the net has no event, the library serves another analysis of
    // the process, the forward cases do not fit or the progress said stop.
    static std::unique_ptr<CSymbolicEngine> Make(const CNetStructure& net, long long memoryLimit,
                                                 const CaseGraphProgress& progress = {});

    const char* GetEngineName() const override { return "symbolic"; }
    std::string CountCases() override;
    std::string CountSteps() override;
    std::string CountForwardCases() override;
    bool IsContactFree() override;
    bool IsForwardReachable(const CSetConditions& c) override;
    CCaseSearchResult Find(const std::vector<CPNCondition*>& wanted,
                           const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                           std::size_t shown) override;
    std::optional<CCaseRun> PathTo(const CSetConditions& to) override;
    bool HasConcessionInTheClass(const CPNEvent& event) override;

    // Sets of cases for a checker over decision diagrams (CCaseSet: they go before
    // the engine). The class both ways, what the initial case reaches forward, one case
    // (the initial one), the cases where a condition holds and those where an event has
    // concession; conditions and events by the engine's numbers, or as drawn elements
    // of an engine made from them.
    CCaseSet ClassSet();
    CCaseSet ForwardSet();
    CCaseSet InitialSet();
    CCaseSet CaseSet(const CSetConditions& c);
    CCaseSet CaseSet(const std::vector<int>& conditions);
    CCaseSet Holding(const CPNCondition& condition);
    CCaseSet Holding(int condition);
    CCaseSet WithConcession(const CPNEvent& event);
    CCaseSet WithConcession(int event);
    // The cases one occurrence of the event leads to from those of s (Image), and those
    // from which it leads into s (PreImage); of every event: Successors, Predecessors.
    CCaseSet Image(const CCaseSet& s, const CPNEvent& event);
    CCaseSet Image(const CCaseSet& s, int event);
    CCaseSet PreImage(const CCaseSet& s, const CPNEvent& event);
    CCaseSet PreImage(const CCaseSet& s, int event);
    CCaseSet Successors(const CCaseSet& s);
    CCaseSet Predecessors(const CCaseSet& s);
    // The fixpoints, by saturation: every case the cases of s reach by forward steps
    // (s too), every case from which a case of s is reached. Throw std::bad_alloc past
    // the memory limit given to Run.
    CCaseSet Reached(const CCaseSet& s);
    CCaseSet Reaching(const CCaseSet& s);
    // The cases from which a run that stays in within until it gets there reaches
    // target (the least fixpoint of target or within and a predecessor).
    CCaseSet ReachingWithin(const CCaseSet& target, const CCaseSet& within);
    // The number of cases of s, in decimal; whether c is one of them.
    std::string Count(const CCaseSet& s);
    bool Contains(const CCaseSet& s, const CSetConditions& c);
    bool Contains(const CCaseSet& s, const std::vector<int>& conditions);
    // One case of s by the numbers of its conditions; nothing for the empty set.
    std::optional<std::vector<int>> OneCase(const CCaseSet& s);

    // A run of single events by numbers: cases[0] the case it starts in, cases[i + 1]
    // the case after events[i], each as the numbers of the conditions it holds.
    struct CEventRun {
        std::vector<int> events;
        std::vector<std::vector<int>> cases;
    };
    // Told once per breadth-first layer of a search for a run; may throw to stop it.
    using RunTick = std::function<void()>;
    // A shortest run from the initial case to a case of target (a run without events
    // where the initial case is one); nothing where no case of target is reached
    // forward. The onion rings of the search (the cases first met after each number of
    // events) are kept for the next target: it walks back from the last ring by the
    // pre-images of single events, one case at a time.
    std::optional<CEventRun> RunTo(const CCaseSet& target, const RunTick& tick = {});
    // A shortest run from the case from to a case of target whose cases before the last
    // all lie in within (every case where it is null); nothing where there is none.
    std::optional<CEventRun> RunFrom(const std::vector<int>& from, const CCaseSet& target,
                                     const CCaseSet* within, const RunTick& tick = {});

    // The largest number of cases a search enumerates to put its first texts in
    // alphabetical order; past it the first ones in the diagram's order are given.
    static constexpr std::size_t kSortedSearchLimit = 100000;
    // The most cases whose steps are counted one by one rather than in a diagram.
    static constexpr double kStepsOneByOne = 1 << 18;

private:
    struct Impl;
    std::unique_ptr<Impl> m_p;
};
