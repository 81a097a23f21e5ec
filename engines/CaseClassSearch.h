#pragma once

#include "model/CSetConditions.h"

#include <cstdint>
#include <string>
#include <vector>

class CPNCondition;

// The order of the case texts in a search's answer: alphabetical, as a sorted list box
// shows its entries, letters without regard to case.
bool CaseTextBefore(const std::string& a, const std::string& b);

// "Find cases from conditions" of the case class verification: the braced texts of
// the cases (in node order, with their forward reachability from the initial case)
// that hold every wanted and no unwanted condition, only reachable ones when asked,
// sorted alphabetically; the single entry "no such case" when there is none.
std::vector<std::string> FindCasesFromConditions(const std::vector<CSetConditions>& cases,
                                                 const std::vector<std::uint8_t>& reachable,
                                                 const std::vector<CPNCondition*>& wanted,
                                                 const std::vector<CPNCondition*>& unwanted,
                                                 bool onlyReachable);
// The same search giving the indices of the cases found, in the order of their texts;
// empty when there is none.
std::vector<std::size_t> FindCaseIndices(const std::vector<CSetConditions>& cases,
                                         const std::vector<std::uint8_t>& reachable,
                                         const std::vector<CPNCondition*>& wanted,
                                         const std::vector<CPNCondition*>& unwanted,
                                         bool onlyReachable);
