#pragma once

// Damaged documents, each made from a valid one: truncated, with bad tags, counts and
// references, or with objects that do not fit together. Every one must be refused with
// "Unexpected file format.".

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using NamedBytes = std::pair<std::string, std::vector<std::uint8_t>>;

std::vector<NamedBytes> MakeCorruptFiles();
