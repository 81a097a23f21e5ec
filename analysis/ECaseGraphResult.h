#pragma once

#include <functional>

// How a case graph computation ended.
// NotEnoughMemory: the graph would not fit; it is left empty.
enum class ECaseGraphResult { Completed, Cancelled, NotEnoughMemory };

// Told every so often how many cases and arcs a computation has found so far;
// returns whether to go on.
using CaseGraphProgress = std::function<bool(int cases, int arcs)>;
