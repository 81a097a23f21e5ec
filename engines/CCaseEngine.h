#pragma once

#include "engines/CCaseRun.h"
#include "model/CSetConditions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CPNCondition;

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
};
