#pragma once

#include "engines/CCaseRun.h"
#include "model/CSetConditions.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CNodeAdjacency;
class CPNCondition;
class CPNEvent;
class CSetEvents;

// What a search for cases from conditions found: how many cases (in full, however
// large) and the first of them in the order of their texts ("{ a, b }").
struct CCaseSearchResult {
    std::string count = "0";
    std::vector<CSetConditions> first;
};

// The questions every engine answers about the case class of a net (every case
// reachable from the initial case by forward and backward steps), whether it keeps the
// whole graph, only the cases, or sets of cases as decision diagrams. The counts are
// decimal texts because a symbolic count has no bound.
//
// An engine that lists its cases (ListsCases) numbers them 0 ... CaseCount() - 1, the
// initial case 0, and gives each case's steps on demand in the order the stored graph
// lists them. The numbers are the engine's own: the stored graph numbers its cases
// breadth first by steps, the cases engine breadth first by single events, forward
// and backward; a step of several events reaches a case sooner, so the two orders
// (and the names c1, c2, ... drawn from them) differ on many nets, while the cases
// engine's order is the same for any number of threads.
class CCaseEngine {
public:
    virtual ~CCaseEngine() = default;

    // "explicit", "cases" or "symbolic".
    virtual const char* GetEngineName() const = 0;
    virtual std::string CountCases() = 0;
    virtual std::string CountSteps() = 0;
    // The cases reachable from the initial case by forward steps.
    virtual std::string CountForwardCases() = 0;
    // No case of the class holds a contact situation of any event.
    virtual bool IsContactFree() = 0;
    // The case is reached from the initial case by forward steps.
    virtual bool IsForwardReachable(const CSetConditions& c) = 0;
    // The cases holding every wanted and no unwanted condition, only the forward
    // reachable ones when asked; at most `shown` of them.
    virtual CCaseSearchResult Find(const std::vector<CPNCondition*>& wanted,
                                   const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                                   std::size_t shown) = 0;
    // The shortest way from the initial case to the case: forward steps only where they
    // reach it, else forward and backward ones. Nothing for a case outside the class.
    virtual std::optional<CCaseRun> PathTo(const CSetConditions& to) = 0;
    // The event has forward concession in some case of the class.
    virtual bool HasConcessionInTheClass(const CPNEvent& event) = 0;

    // --- The cases one by one, where the engine keeps them. ---
    virtual bool ListsCases() const { return false; }
    virtual int CaseCount() const { return 0; }
    virtual CSetConditions Case(int /*index*/) const { return {}; }
    // The index of the case, -1 for one outside the class.
    virtual int IndexOf(const CSetConditions& /*c*/) const { return -1; }
    // The steps of case i in one direction, their events and the case each leads to.
    using StepVisitor = std::function<void(const CSetEvents& events, int target)>;
    virtual void ForEachStep(int /*index*/, bool /*forward*/, const StepVisitor& /*visit*/) {}
    // The same, only the steps to the cases listed (indices, ascending): an engine that
    // finds the steps looks for those alone (a case of thirty philosophers has thousands
    // of steps, nearly all leading away from a part shown).
    virtual void ForEachStepAmong(int index, bool forward, const std::vector<int>& among,
                                  const StepVisitor& visit) {
        ForEachStep(index, forward, [&](const CSetEvents& events, int target) {
            if (std::binary_search(among.begin(), among.end(), target))
                visit(events, target);
        });
    }
    // The cases a single event with concession leads from to case i (backward from it),
    // in the net's order of the events; false, telling none, where the engine does not
    // find them case by case.
    virtual bool ForEachPredecessor(int /*index*/, const std::function<void(int)>& /*visit*/) {
        return false;
    }
    // The forward successors of every case (the cases a step reaches, or the single
    // events, which reach the same cases); null where the cases are not listed.
    virtual const CNodeAdjacency* ForwardAdjacency() { return nullptr; }
    // Lists the forward successors ahead, telling the progress (the cases, 0) as it goes,
    // for an engine that finds them case by case; false where the progress said stop,
    // and nothing kept then.
    virtual bool PrepareForwardAdjacency(const std::function<bool(int, int)>& /*progress*/) {
        return true;
    }
    // The successors by single events only (a step of several events is as many single
    // ones in a row), which count the events between two cases.
    virtual const CNodeAdjacency* SingleEventAdjacency() { return ForwardAdjacency(); }
};
