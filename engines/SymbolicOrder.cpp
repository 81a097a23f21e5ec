#include "engines/SymbolicOrder.h"

#include <algorithm>
#include <numeric>

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

// The events breadth first over shared conditions, from the first of the net's order
// not yet placed, each placing its conditions not placed yet: neighbours in the net
// become neighbours in the order whatever order the file listed them in.
std::vector<int> BreadthFirst(int conditions, const std::vector<std::vector<int>>& touched) {
    std::vector<std::vector<int>> eventsOf(At(conditions));
    for (std::size_t e = 0; e < touched.size(); ++e)
        for (const int c : touched[e])
            eventsOf[At(c)].push_back(static_cast<int>(e));
    std::vector<int> order;
    std::vector<char> placed(At(conditions), 0), queued(touched.size(), 0);
    std::vector<int> queue;
    for (std::size_t first = 0; first < touched.size(); ++first) {
        if (queued[first])
            continue;
        queue.assign(1, static_cast<int>(first));
        queued[first] = 1;
        for (std::size_t k = 0; k < queue.size(); ++k) {
            std::vector<int> conds = touched[At(queue[k])];
            std::sort(conds.begin(), conds.end());
            for (const int c : conds) {
                if (!placed[At(c)]) {
                    placed[At(c)] = 1;
                    order.push_back(c);
                }
                for (const int other : eventsOf[At(c)])
                    if (!queued[At(other)]) {
                        queued[At(other)] = 1;
                        queue.push_back(other);
                    }
            }
        }
    }
    for (int c = 0; c < conditions; ++c)
        if (!placed[At(c)])
            order.push_back(c);
    return order;
}

std::vector<int> Positions(const std::vector<int>& order) {
    std::vector<int> position(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        position[At(order[k])] = static_cast<int>(k);
    return position;
}

} // namespace

long long SymbolicOrder::Span(const std::vector<int>& position,
                              const std::vector<std::vector<int>>& touched) {
    long long span = 0;
    for (const std::vector<int>& conds : touched) {
        if (conds.empty())
            continue;
        int low = position[At(conds.front())], high = low;
        for (const int c : conds) {
            low = std::min(low, position[At(c)]);
            high = std::max(high, position[At(c)]);
        }
        span += high - low;
    }
    return span;
}

std::vector<int> SymbolicOrder::Conditions(int conditions,
                                           const std::vector<std::vector<int>>& touched) {
    std::vector<int> order = BreadthFirst(conditions, touched);
    std::vector<int> position = Positions(order);
    std::vector<int> best = order;
    long long bestSpan = Span(position, touched);
    // A few rounds more than it takes to move a condition across the order by halves.
    constexpr int kRounds = 60;
    constexpr int kPatience = 5;
    std::vector<double> centre(touched.size()), value(At(conditions));
    std::vector<int> count(At(conditions));
    for (int round = 0, idle = 0; round < kRounds && idle < kPatience; ++round) {
        for (std::size_t e = 0; e < touched.size(); ++e) {
            double sum = 0;
            for (const int c : touched[e])
                sum += position[At(c)];
            centre[e] = touched[e].empty() ? 0 : sum / static_cast<double>(touched[e].size());
        }
        std::fill(value.begin(), value.end(), 0.0);
        std::fill(count.begin(), count.end(), 0);
        for (std::size_t e = 0; e < touched.size(); ++e)
            for (const int c : touched[e]) {
                value[At(c)] += centre[e];
                ++count[At(c)];
            }
        for (int c = 0; c < conditions; ++c)
            value[At(c)] = count[At(c)] ? value[At(c)] / count[At(c)] : position[At(c)];
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return value[At(a)] < value[At(b)]; });
        position = Positions(order);
        const long long span = Span(position, touched);
        if (span < bestSpan) {
            bestSpan = span;
            best = order;
            idle = 0;
        } else {
            ++idle;
        }
    }
    return best;
}
