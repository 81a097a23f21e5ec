#include "SemiflowChecks.h"

#include "StructureNets.h"
#include "support/FourTiTwo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

Weighting WeightsOf(const CSemiflow& s) {
    Weighting w;
    for (std::size_t k = 0; k < s.support.size(); ++k)
        w[s.support[k]] = s.weights[k];
    return w;
}

std::string Describe(const CNetStructure& net, const CSemiflow& s, bool conditions) {
    std::string text;
    for (std::size_t k = 0; k < s.support.size(); ++k)
        text += (k ? "+" : "") + (s.weights[k] > 1 ? std::to_string(s.weights[k]) : "") +
                (conditions ? net.ConditionName(s.support[k]) : net.EventName(s.support[k]));
    return text;
}

void ExpectMinimalSemiflows(const CNetStructure& net, const CSemiflowResult& result,
                            bool conditions) {
    const int c = static_cast<int>(net.ConditionCount()), e = static_cast<int>(net.EventCount());
    const auto& list = result.semiflows;
    for (const CSemiflow& s : list) {
        const Weighting w = WeightsOf(s);
        ASSERT_TRUE(std::is_sorted(s.support.begin(), s.support.end()));
        ASSERT_EQ(w.size(), s.support.size());
        ASSERT_FALSE(w.empty());
        long long divisor = 0, value = 0;
        for (const auto& [element, weight] : w) {
            EXPECT_GT(weight, 0);
            divisor = std::gcd(divisor, weight);
            if (conditions && net.Initial(element))
                value += weight;
        }
        EXPECT_EQ(divisor, 1);
        EXPECT_EQ(s.initialValue, conditions ? value : 0);
        for (int k = 0; k < (conditions ? e : c); ++k) {
            long long sum = 0;
            for (const auto& [element, weight] : w)
                sum +=
                    weight * (conditions ? Incidence(net, element, k) : Incidence(net, k, element));
            EXPECT_EQ(sum, 0) << Describe(net, s, conditions) << " at " << k;
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = 0; j < list.size(); ++j) {
            const auto& a = list[i].support;
            const auto& b = list[j].support;
            EXPECT_TRUE(i == j || !std::includes(b.begin(), b.end(), a.begin(), a.end()))
                << Describe(net, list[i], conditions) << " lies in "
                << Describe(net, list[j], conditions);
        }
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_TRUE(ColexBefore(list[i - 1].support, list[i].support));
}

std::optional<std::set<Weighting>> FourTiTwoSemiflows(const CNetStructure& net, bool conditions,
                                                      int seconds) {
    const int c = static_cast<int>(net.ConditionCount()), e = static_cast<int>(net.EventCount());
    std::vector<std::vector<int>> lines;
    for (int k = 0; k < (conditions ? e : c); ++k) {
        lines.emplace_back();
        for (int v = 0; v < (conditions ? c : e); ++v)
            lines.back().push_back(conditions ? Incidence(net, v, k) : Incidence(net, k, v));
    }
    const auto rays = FourTiTwoRays(lines, conditions ? c : e, seconds);
    if (!rays)
        return std::nullopt;
    std::set<Weighting> set;
    for (const auto& ray : *rays) {
        Weighting w;
        for (std::size_t v = 0; v < ray.size(); ++v)
            if (ray[v] != 0)
                w[static_cast<int>(v)] = ray[v];
        set.insert(w);
    }
    return set;
}
