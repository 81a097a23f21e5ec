#include "structure/CSemiflow.h"

#include <algorithm>

std::int64_t CSemiflow::Weight(int element) const {
    auto it = std::lower_bound(support.begin(), support.end(), element);
    if (it == support.end() || *it != element)
        return 0;
    return weights[static_cast<std::size_t>(it - support.begin())];
}

bool ColexBefore(const std::vector<int>& a, const std::vector<int>& b) {
    auto i = a.rbegin(), j = b.rbegin();
    for (; i != a.rend() && j != b.rend(); ++i, ++j)
        if (*i != *j)
            return *i < *j;
    return i == a.rend() && j != b.rend();
}
