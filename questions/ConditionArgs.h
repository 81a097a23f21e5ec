#pragma once

#include "questions/CQuestion.h"

#include <string>
#include <vector>

// Conditions named in a question's option ("--wanted a,b"): the numbers of the net's
// conditions the option's last value names, in its order; empty parts are left out.
namespace ConditionArgs {

// The first name the net has no condition of, as the error ("no condition is named
// 'x'"); empty when every name is known or the option is not given.
std::string Resolve(const CNetStructure& net, const CQuestionArgs& args, const char* option,
                    std::vector<int>& conditions);

} // namespace ConditionArgs
