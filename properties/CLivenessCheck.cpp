#include "properties/CLivenessCheck.h"

#include "properties/CCheckContext.h"
#include "properties/CPropertyResult.h"

#include <limits>

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

} // namespace

void CLivenessCheck::Check(CCheckContext& context, CPropertyResult& result) {
    CCaseSpace& space = context.CompleteSpace();
    const CCompactNet& net = context.Compact();
    const auto n = static_cast<std::size_t>(space.Count());
    const auto eventWords = static_cast<std::size_t>((net.EventCount() + 63) / 64);
    // Tarjan's algorithm without recursion: the order found, the lowest reachable on the
    // stack, the component once done.
    std::vector<std::uint32_t> order(n, kNone), low(n), component(n, kNone);
    std::vector<std::uint32_t> stack;
    struct Frame {
        std::uint32_t node;
        std::uint32_t next;
    };
    std::vector<Frame> calls;
    std::uint32_t counter = 0, components = 0;
    std::vector<std::uint64_t> events(eventWords);
    const auto finish = [&](std::uint32_t root) {
        // The component is the stack down to its root.
        const std::uint32_t id = components++;
        std::size_t begin = stack.size();
        do
            --begin;
        while (stack[begin] != root);
        for (std::size_t k = begin; k < stack.size(); ++k)
            component[stack[k]] = id;
        bool bottom = true;
        std::fill(events.begin(), events.end(), 0);
        for (std::size_t k = begin; k < stack.size() && bottom; ++k) {
            for (std::uint32_t t : space.StoredSuccessors(static_cast<int>(stack[k])))
                bottom = bottom && component[t] == id;
            const auto* c = space.Case(static_cast<int>(stack[k]));
            for (int e = 0; e < net.EventCount(); ++e)
                if (net.HasConcession(c, e))
                    events[static_cast<std::size_t>(e / 64)] |= std::uint64_t{1} << (e % 64);
        }
        int missing = -1;
        for (int e = 0; bottom && missing < 0 && e < net.EventCount(); ++e)
            if (!((events[static_cast<std::size_t>(e / 64)] >> (e % 64)) & 1u))
                missing = e;
        const int at = static_cast<int>(stack[begin]);
        stack.resize(begin);
        if (missing < 0)
            return false;
        result.verdict = EVerdict::False;
        result.events = {missing};
        result.run = space.RunTo(at);
        return true;
    };
    for (std::uint32_t start = 0; start < n; ++start) {
        if (order[start] != kNone)
            continue;
        calls.push_back(Frame{start, 0});
        order[start] = low[start] = counter++;
        stack.push_back(start);
        while (!calls.empty()) {
            Frame& frame = calls.back();
            const auto succ = space.StoredSuccessors(static_cast<int>(frame.node));
            if (frame.next < succ.size()) {
                const std::uint32_t t = succ[frame.next++];
                if (order[t] == kNone) {
                    order[t] = low[t] = counter++;
                    stack.push_back(t);
                    calls.push_back(Frame{t, 0});
                    context.Budget().Tick([&] { return context.Bytes(); });
                } else if (component[t] == kNone) {
                    low[frame.node] = std::min(low[frame.node], order[t]);
                }
                continue;
            }
            const std::uint32_t node = frame.node;
            calls.pop_back();
            if (!calls.empty())
                low[calls.back().node] = std::min(low[calls.back().node], low[node]);
            if (low[node] == order[node] && finish(node))
                return;
        }
    }
    result.verdict = EVerdict::True;
}
