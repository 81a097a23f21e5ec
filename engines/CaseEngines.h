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
// About the time the stored graph of so many cases and steps takes to be made, in
// seconds, where the net's cases give their steps on demand at the rate given (steps
// a second, measured on the net): each step is produced as on demand and then kept,
// each case named.
double StoredGraphSeconds(long long cases, UInt128 steps, double stepsPerSecond);
// The memory as a person reads it: "950 MB", "12.4 GB".
std::string MemoryText(long long bytes);
// A time as a person reads it: "0.8 s", "12 s", "4 min", "2.5 h".
std::string DurationText(double seconds);
// A count with its thousands apart: "308,704,676".
std::string CountText(UInt128 count);
