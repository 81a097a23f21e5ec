// The variable order made from a net's structure: a permutation of the conditions
// whatever the events, and the conditions of a ring in ring order whatever numbers the
// file gave them.

#include "engines/SymbolicOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

TEST(SymbolicOrder, PutsEveryConditionOnceAndARingInItsOrder) {
    std::mt19937 gen(3);
    for (int round = 0; round < 50; ++round) {
        const int conditions = 1 + static_cast<int>(gen() % 40);
        std::vector<std::vector<int>> touched(gen() % 30);
        for (std::vector<int>& event : touched)
            for (int c = 0; c < conditions; ++c)
                if (gen() % 5 == 0)
                    event.push_back(c);
        std::vector<int> order = SymbolicOrder::Conditions(conditions, touched);
        std::sort(order.begin(), order.end());
        std::vector<int> all(static_cast<std::size_t>(conditions));
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(order, all) << round;
    }
    // A ring of n conditions numbered at random, each event joining two neighbours: in
    // ring order every event spans one but the one that closes the ring.
    for (const int n : {3, 8, 50}) {
        std::vector<int> number(static_cast<std::size_t>(n));
        std::iota(number.begin(), number.end(), 0);
        std::shuffle(number.begin(), number.end(), gen);
        std::vector<std::vector<int>> touched;
        for (std::size_t i = 0; i < number.size(); ++i)
            touched.push_back({number[i], number[(i + 1) % number.size()]});
        const std::vector<int> order = SymbolicOrder::Conditions(n, touched);
        std::vector<int> position(order.size());
        for (std::size_t k = 0; k < order.size(); ++k)
            position[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
        EXPECT_LE(SymbolicOrder::Span(position, touched), 2LL * (n - 1)) << n;
    }
}
