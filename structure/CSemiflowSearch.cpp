#include "structure/CSemiflowSearch.h"

#include "structure/CFarkasElimination.h"
#include "structure/CWorkMeter.h"
#include "structure/SupportKernel.h"

#include <algorithm>

CSemiflowSearch::CSemiflowSearch(const CSemiflowSystem& system, std::size_t limit,
                                 std::size_t rowLimit)
    : m_system(system), m_nLimit(std::max<std::size_t>(limit, 1)),
      m_nRowLimit(rowLimit > 0 ? rowLimit
                               : std::max(kMinRows, std::min(m_nLimit, kMaxRows / 4) * 4)) {}

void CSemiflowSearch::RuleOutBySigns() {
    const std::size_t n = m_system.columns.size();
    const auto m = static_cast<std::size_t>(m_system.constraints);
    m_arrPossible.assign(n, 1);
    // Per constraint: its variables, and how many possible ones weigh in with either sign.
    std::vector<std::vector<int>> members(m);
    std::vector<int> positive(m, 0), negative(m, 0);
    for (std::size_t v = 0; v < n; ++v)
        for (const auto& [c, value] : m_system.columns[v]) {
            members[static_cast<std::size_t>(c)].push_back(static_cast<int>(v));
            ++(value > 0 ? positive : negative)[static_cast<std::size_t>(c)];
        }
    // A constraint whose possible variables all have one sign holds only with all of
    // them at zero.
    std::vector<std::size_t> pending;
    std::vector<std::uint8_t> done(m, 0);
    for (std::size_t c = 0; c < m; ++c)
        if (!members[c].empty() && (positive[c] == 0 || negative[c] == 0))
            pending.push_back(c);
    while (!pending.empty()) {
        const std::size_t c = pending.back();
        pending.pop_back();
        if (done[c])
            continue;
        done[c] = 1;
        for (int v : members[c]) {
            if (!m_arrPossible[static_cast<std::size_t>(v)])
                continue;
            m_arrPossible[static_cast<std::size_t>(v)] = 0;
            for (const auto& [d, value] : m_system.columns[static_cast<std::size_t>(v)]) {
                const auto k = static_cast<std::size_t>(d);
                --(value > 0 ? positive : negative)[k];
                if (!done[k] && (positive[k] == 0 || negative[k] == 0))
                    pending.push_back(k);
            }
        }
    }
    m_arrCandidates.clear();
    for (std::size_t v = 0; v < n; ++v)
        if (m_arrPossible[v])
            m_arrCandidates.push_back(static_cast<int>(v));
}

bool CSemiflowSearch::Solve(const Node& node, CWorkMeter& meter, EEnumeration& end) {
    if (node.free == 0) {
        // Only the required variables: they are a minimal support or nothing is.
        bool overflow = false;
        std::optional<CSemiflow> semiflow = MinimalSemiflowOn(m_system, node.required, overflow);
        if (overflow)
            end = EEnumeration::Overflow;
        else if (semiflow)
            m_arrFound.push_back(std::move(*semiflow));
        return true;
    }
    std::vector<int> universe(m_arrCandidates.begin(),
                              m_arrCandidates.begin() + static_cast<std::ptrdiff_t>(node.free));
    universe.insert(universe.end(), node.required.begin(), node.required.end());
    std::sort(universe.begin(), universe.end());
    CFarkasElimination elimination(m_system, m_nRowLimit, m_nRowLimit * kPairsPerRow);
    switch (elimination.Run(universe, meter)) {
    case CFarkasElimination::EOutcome::OverBudget:
        return false;
    case CFarkasElimination::EOutcome::Cancelled:
        end = EEnumeration::Cancelled;
        return true;
    case CFarkasElimination::EOutcome::Overflow:
        end = EEnumeration::Overflow;
        return true;
    case CFarkasElimination::EOutcome::Done:
        break;
    }
    std::vector<CSemiflow>& found = elimination.Semiflows();
    std::erase_if(found, [&](const CSemiflow& s) {
        return !std::includes(s.support.begin(), s.support.end(), node.required.begin(),
                              node.required.end());
    });
    std::sort(found.begin(), found.end(), [](const CSemiflow& a, const CSemiflow& b) {
        return ColexBefore(a.support, b.support);
    });
    for (CSemiflow& s : found) {
        if (m_arrFound.size() > m_nLimit)
            break;
        m_arrFound.push_back(std::move(s));
    }
    return true;
}

EEnumeration CSemiflowSearch::Run(CWorkMeter& meter) {
    RuleOutBySigns();
    m_arrFound.clear();
    EEnumeration end = EEnumeration::Complete;
    // Depth first, the semiflows without the node's last free variable before those
    // with it; the required variables ascending.
    std::vector<Node> stack;
    stack.push_back({{}, m_arrCandidates.size(), true, 1});
    while (!stack.empty() && m_arrFound.size() <= m_nLimit && end == EEnumeration::Complete) {
        Node node = std::move(stack.back());
        stack.pop_back();
        if (!meter.Report(m_arrFound.size(), m_nLimit)) {
            end = EEnumeration::Cancelled;
            break;
        }
        if ((node.eliminate || node.free == 0) && Solve(node, meter, end))
            continue;
        // Over its bounds: the semiflows without the last `jump` free variables come first,
        // then those whose largest free variable is each of them in turn. Where the nodes
        // down the left keep failing the jump doubles: their universes shrink by one
        // variable only and rarely fit the next time.
        const std::size_t jump = std::min(node.jump, node.free);
        for (std::size_t k = node.free; k-- > node.free - jump;) {
            // Only the first of them has the universe that just failed.
            Node with{node.required, k, k + 1 != node.free, 1};
            with.required.insert(with.required.begin(), m_arrCandidates[k]);
            stack.push_back(std::move(with));
        }
        stack.push_back({std::move(node.required), node.free - jump, true, 2 * jump});
    }
    if (end == EEnumeration::Cancelled || end == EEnumeration::Overflow) {
        m_arrFound.clear();
        return end;
    }
    if (m_arrFound.size() > m_nLimit) {
        m_arrFound.resize(m_nLimit);
        return EEnumeration::Limited;
    }
    return EEnumeration::Complete;
}
