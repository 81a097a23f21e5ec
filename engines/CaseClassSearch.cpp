#include "engines/CaseClassSearch.h"

#include <algorithm>
#include <cctype>

namespace {

// Alphabetical, as a sorted list box shows its entries: letters compare without
// regard to case; texts that differ only in case keep a fixed order.
bool Alphabetically(const std::string& a, const std::string& b) {
    const auto fold = [](unsigned char c) { return std::tolower(c); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
        });
    if (less)
        return true;
    const bool greater =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [&](char x, char y) {
            return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
        });
    return !greater && a < b;
}

} // namespace

bool CaseTextBefore(const std::string& a, const std::string& b) {
    return Alphabetically(a, b);
}

std::vector<std::size_t> FindCaseIndices(const std::vector<CSetConditions>& cases,
                                         const std::vector<std::uint8_t>& reachable,
                                         const std::vector<CPNCondition*>& wanted,
                                         const std::vector<CPNCondition*>& unwanted,
                                         bool onlyReachable) {
    std::vector<std::size_t> found;
    std::vector<std::string> texts(cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CSetConditions& c = cases[i];
        if (onlyReachable && !(i < reachable.size() && reachable[i]))
            continue;
        if (!std::all_of(wanted.begin(), wanted.end(),
                         [&](const CPNCondition* w) { return c.Contains(w); }))
            continue;
        if (std::any_of(unwanted.begin(), unwanted.end(),
                        [&](const CPNCondition* u) { return c.Contains(u); }))
            continue;
        texts[i] = c.ToString(false);
        found.push_back(i);
    }
    std::stable_sort(found.begin(), found.end(), [&texts](std::size_t a, std::size_t b) {
        return Alphabetically(texts[a], texts[b]);
    });
    return found;
}

std::vector<std::string> FindCasesFromConditions(const std::vector<CSetConditions>& cases,
                                                 const std::vector<std::uint8_t>& reachable,
                                                 const std::vector<CPNCondition*>& wanted,
                                                 const std::vector<CPNCondition*>& unwanted,
                                                 bool onlyReachable) {
    std::vector<std::string> found;
    for (std::size_t i : FindCaseIndices(cases, reachable, wanted, unwanted, onlyReachable))
        found.push_back(cases[i].ToString(false));
    if (found.empty())
        found.emplace_back("no such case");
    return found;
}
