#pragma once

#include "structure/CSemiflow.h"
#include "structure/CSemiflowSystem.h"

#include <optional>
#include <vector>

// The minimal semiflow whose support is exactly the given variables (ascending), if
// there is one: the system's columns on them leave a kernel of dimension one, spanned
// by a vector with no zero and one sign throughout. Exact integer elimination; sets
// overflow (and gives none) where a number outgrows 64 bits.
std::optional<CSemiflow> MinimalSemiflowOn(const CSemiflowSystem& system,
                                           const std::vector<int>& support, bool& overflow);
