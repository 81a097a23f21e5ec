#pragma once

#include <string>

// printf-style formatting into a string, for the system's "%d" message patterns.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
