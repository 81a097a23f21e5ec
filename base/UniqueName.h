#pragma once

#include <set>
#include <string>

// The name if nobody has taken it, else the name with "_2", "_3", ... appended, the
// first that is free; the name given back is taken from then on.
std::string TakeUniqueName(std::set<std::string>& taken, const std::string& name);
