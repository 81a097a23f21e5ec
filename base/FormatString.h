#pragma once

#include "base/UInt128.h"

#include <string>

// printf-style formatting into a string, for the system's "%d" message patterns.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A count in full, in decimal digits, however large.
std::string DecimalText(UInt128 value);
