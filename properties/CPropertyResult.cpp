#include "properties/CPropertyResult.h"

#include <array>

std::vector<std::string> TechniqueWords(unsigned techniques) {
    static constexpr std::array<const char*, 7> kWords = {
        "EXPLICIT",       "SEQUENTIAL_PROCESSING", "STATE_COMPRESSION",
        "STATE_EQUATION", "DECISION_DIAGRAMS",     "LTL_NFA",
        "TOPOLOGICAL"};
    std::vector<std::string> words;
    for (std::size_t bit = 0; bit < kWords.size(); ++bit)
        if (techniques & (1u << bit))
            words.emplace_back(kWords[bit]);
    return words;
}
