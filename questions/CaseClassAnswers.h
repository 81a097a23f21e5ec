#pragma once

#include "questions/CQuestion.h"

#include <string>
#include <vector>

class CPNCondition;
class CSetConditions;

// What the questions of the case class both ways share (the C/E view: every case reached
// from the initial one by forward and backward steps), as opposed to the properties of
// the cases reachable forwards: the words that say so, and the conditions a question
// names.
namespace CaseClassAnswers {

// " in the Case Class (forward and backward)": every menu text and answer of these
// questions says it.
extern const char* const kBothWays;

// The conditions the option's last value names ("a,b"); the first name that is no
// condition of the net as the fault, else empty.
std::string Conditions(const CNetStructure& net, const CQuestionArgs& args, const char* option,
                       std::vector<CPNCondition*>& conditions);
// "{ a, b }" of the conditions' names.
std::string Names(const std::vector<CPNCondition*>& conditions);
// The events (by the net's numbers) with forward concession in the case.
std::vector<int> EventsWithConcession(const CNetStructure& net, const CSetConditions& c);

} // namespace CaseClassAnswers
