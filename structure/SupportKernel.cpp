#include "structure/SupportKernel.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>

namespace {

using Line = std::vector<std::int64_t>;

// Divides the line by the greatest common divisor of its entries.
void Reduce(Line& line) {
    std::int64_t divisor = 0;
    for (std::int64_t v : line)
        divisor = std::gcd(divisor, v);
    if (divisor > 1)
        for (std::int64_t& v : line)
            v /= divisor;
}

// line = pivot * line - factor * by, checked.
bool Subtract(Line& line, std::int64_t pivot, std::int64_t factor, const Line& by) {
    for (std::size_t k = 0; k < line.size(); ++k) {
        std::int64_t a = 0, b = 0;
        if (__builtin_mul_overflow(pivot, line[k], &a) ||
            __builtin_mul_overflow(factor, by[k], &b) || __builtin_sub_overflow(a, b, &line[k]))
            return false;
    }
    Reduce(line);
    return true;
}

} // namespace

std::optional<CSemiflow> MinimalSemiflowOn(const CSemiflowSystem& system,
                                           const std::vector<int>& support, bool& overflow) {
    overflow = false;
    const std::size_t n = support.size();
    if (n == 0)
        return std::nullopt;
    // The constraints' lines restricted to the support.
    std::map<int, Line> lines;
    for (std::size_t j = 0; j < n; ++j)
        for (const auto& [c, value] : system.columns[static_cast<std::size_t>(support[j])]) {
            Line& line = lines[c];
            line.resize(n, 0);
            line[j] = value;
        }
    std::vector<Line> rows;
    for (auto& [c, line] : lines)
        rows.push_back(std::move(line));
    // Reduced echelon form, fraction free: each pivot cleared from every other line.
    std::vector<std::size_t> pivotColumn;
    std::size_t rank = 0;
    for (std::size_t j = 0; j < n && rank < rows.size(); ++j) {
        std::size_t r = rank;
        while (r < rows.size() && rows[r][j] == 0)
            ++r;
        if (r == rows.size())
            continue;
        std::swap(rows[rank], rows[r]);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (i != rank && rows[i][j] != 0 &&
                !Subtract(rows[i], rows[rank][j], rows[i][j], rows[rank])) {
                overflow = true;
                return std::nullopt;
            }
        pivotColumn.push_back(j);
        ++rank;
    }
    if (n - rank != 1)
        return std::nullopt;
    std::size_t free = 0;
    while (free < rank && pivotColumn[free] == free)
        ++free;
    // y[free] = L, the least common multiple of the pivots; each pivot row gives its
    // column as -row[free] * L / pivot.
    std::int64_t multiple = 1;
    for (std::size_t r = 0; r < rank; ++r) {
        const std::int64_t pivot = std::abs(rows[r][pivotColumn[r]]);
        const std::int64_t step = pivot / std::gcd(multiple, pivot);
        if (__builtin_mul_overflow(multiple, step, &multiple)) {
            overflow = true;
            return std::nullopt;
        }
    }
    Line y(n, 0);
    y[free] = multiple;
    for (std::size_t r = 0; r < rank; ++r) {
        const std::int64_t pivot = rows[r][pivotColumn[r]];
        if (__builtin_mul_overflow(-rows[r][free], multiple / pivot, &y[pivotColumn[r]])) {
            overflow = true;
            return std::nullopt;
        }
    }
    const bool positive = std::all_of(y.begin(), y.end(), [](std::int64_t v) { return v > 0; });
    const bool negative = std::all_of(y.begin(), y.end(), [](std::int64_t v) { return v < 0; });
    if (!positive && !negative)
        return std::nullopt;
    Reduce(y);
    CSemiflow semiflow;
    semiflow.support = support;
    for (std::int64_t v : y)
        semiflow.weights.push_back(positive ? v : -v);
    return semiflow;
}
