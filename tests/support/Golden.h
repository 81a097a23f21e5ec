#pragma once

#include <string>
#include <vector>

// Compares a long text with tests/data/golden/<name>. With ZERIN_UPDATE_GOLDEN=1 in the
// environment the file is written instead, so that a changed output shows in review.
void ExpectGolden(const std::string& name, const std::string& actual);
// The lines joined with a newline after each.
void ExpectGolden(const std::string& name, const std::vector<std::string>& lines);

// The bytes as lines of sixteen hexadecimal pairs with their offset: the form of the
// golden files of binary outputs.
std::string HexDump(const std::string& bytes);
