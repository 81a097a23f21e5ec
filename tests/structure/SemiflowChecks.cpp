#include "SemiflowChecks.h"

#include "StructureNets.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <numeric>

#include <sys/wait.h>

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
    if (std::system("command -v 4ti2-rays > /dev/null 2>&1") != 0)
        return std::nullopt;
    const int c = static_cast<int>(net.ConditionCount()), e = static_cast<int>(net.EventCount());
    const int lines = conditions ? e : c, variables = conditions ? c : e;
    TempFolder folder("zerin-4ti2");
    const std::string project = folder.Path("cone");
    {
        // One line per constraint; a line of zeros where there is none (the orthant).
        std::ofstream mat(project + ".mat");
        mat << std::max(lines, 1) << " " << variables << "\n";
        for (int k = 0; k < std::max(lines, 1); ++k, mat << "\n")
            for (int v = 0; v < variables; ++v)
                mat << (k == lines   ? 0
                        : conditions ? Incidence(net, v, k)
                                     : Incidence(net, k, v))
                    << " ";
    }
    const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
    const int status =
        std::system((limit + "4ti2-rays -q " + project + " > /dev/null 2>&1").c_str());
    // timeout's exit status 124: out of time.
    if (seconds > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 124)
        return std::nullopt;
    std::ifstream ray(project + ".ray");
    std::size_t count = 0, width = 0;
    std::set<Weighting> rays;
    if (status != 0 || !(ray >> count >> width))
        ADD_FAILURE() << "4ti2-rays gave no answer for " << project;
    for (std::size_t r = 0; r < count; ++r) {
        Weighting w;
        for (std::size_t v = 0; v < width; ++v)
            if (long long x = 0; ray >> x && x != 0)
                w[static_cast<int>(v)] = x;
        rays.insert(w);
    }
    return rays;
}
