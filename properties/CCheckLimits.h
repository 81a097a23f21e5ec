#pragma once

#include "base/WorkProgress.h"

#include <cstddef>

// What a check may spend: the time from its start, the memory its own tables take, and
// the user's say (the progress callback, asked every so often with the cases or product
// states met so far and a total of 0, since it is not known; false cancels). Zero means
// no limit. A check that reaches a limit answers what it has decided and leaves the rest
// "cannot compute".
struct CCheckLimits {
    double seconds = 0;
    std::size_t maxBytes = 0;
    WorkProgress progress;
};
