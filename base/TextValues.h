#pragma once

#include <optional>
#include <string>
#include <vector>

// Values as users type them: in command-line options and the arguments of questions.
namespace TextValues {

// A whole decimal number in [low, high], without sign or blanks.
std::optional<long long> Number(const std::string& text, long long low, long long high);
// A size in bytes: a whole number with an optional K, M or G (powers of 1024).
std::optional<long long> Size(const std::string& text);
// The names of a comma-separated list, empty ones left out.
std::vector<std::string> Names(const std::string& list);

} // namespace TextValues
