#pragma once

#include <functional>

// How a case graph computation ended.
// NotEnoughMemory: the graph would not fit; it is left empty.
enum class ECaseGraphResult { Completed, Cancelled, NotEnoughMemory };

// What the user is told when a case graph does not fit.
inline constexpr const char* kCaseGraphTooLarge = "Not enough memory to compute the case graph";

// Told every so often how many cases and arcs a computation has found so far;
// returns whether to go on.
using CaseGraphProgress = std::function<bool(int cases, int arcs)>;
