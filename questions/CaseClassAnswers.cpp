#include "questions/CaseClassAnswers.h"

#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CSetConditions.h"
#include "questions/ConditionArgs.h"

namespace CaseClassAnswers {

const char* const kBothWays = " in the Case Class (forward and backward)";

std::string Conditions(const CNetStructure& net, const CQuestionArgs& args, const char* option,
                       std::vector<CPNCondition*>& conditions) {
    std::vector<int> numbers;
    std::string fault = ConditionArgs::Resolve(net, args, option, numbers);
    // A net read without its drawing has numbers and names only.
    for (const int c : numbers)
        if (static_cast<std::size_t>(c) < net.Conditions().size())
            conditions.push_back(net.Conditions()[static_cast<std::size_t>(c)]);
    return fault;
}

std::string Names(const std::vector<CPNCondition*>& conditions) {
    CSetConditions set;
    for (CPNCondition* c : conditions)
        set.Add(c);
    return set.ToString(false);
}

std::vector<int> EventsWithConcession(const CNetStructure& net, const CSetConditions& c) {
    const std::vector<CPNCondition*>& conditions = net.Conditions();
    std::vector<bool> held(conditions.size());
    for (std::size_t i = 0; i < conditions.size(); ++i)
        held[i] = c.Contains(conditions[i]);
    std::vector<int> events;
    for (int e = 0; e < static_cast<int>(net.EventCount()); ++e) {
        bool has = true;
        for (const int p : net.Pre(e))
            has = has && held[static_cast<std::size_t>(p)];
        for (const int p : net.Post(e))
            has = has && !held[static_cast<std::size_t>(p)];
        if (has)
            events.push_back(e);
    }
    return events;
}

} // namespace CaseClassAnswers
