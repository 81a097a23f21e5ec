#pragma once

#include "base/UInt128.h"

#include <optional>
#include <string>

// The engines that compute the case class: the stored graph of every case and step,
// the cases alone with their steps produced on demand, and sets of cases as decision
// diagrams. Auto takes the stored graph where it fits, the cases where they fit, the
// diagrams otherwise.
enum class ECaseEngine { Auto, Explicit, Cases, Symbolic };

// "auto", "explicit", "cases", "symbolic".
const char* CaseEngineName(ECaseEngine engine);
std::optional<ECaseEngine> ParseCaseEngine(const std::string& name);

// About the memory the stored graph of so many cases and steps takes, in bytes
// (measured: the arcs while they are found and the steps as they are kept).
long long StoredGraphBytes(long long cases, UInt128 steps);
// The memory as a person reads it: "950 MB", "12.4 GB".
std::string MemoryText(long long bytes);
