#include "questions/ConditionArgs.h"

#include "model/CNetStructure.h"

#include <sstream>

namespace ConditionArgs {

std::string Resolve(const CNetStructure& net, const CQuestionArgs& args, const char* option,
                    std::vector<int>& conditions) {
    const auto it = args.find(option);
    if (it == args.end() || it->second.empty())
        return {};
    std::stringstream in(it->second.back());
    std::string name;
    while (std::getline(in, name, ',')) {
        if (name.empty())
            continue;
        const int c = net.FindCondition(name);
        if (c < 0)
            return "no condition is named '" + name + "'";
        conditions.push_back(c);
    }
    return {};
}

} // namespace ConditionArgs
