#include "structure/CInvariantAnalysis.h"

#include "model/CNetStructure.h"
#include "structure/CLinearProgram.h"
#include "structure/CWorkMeter.h"

namespace {

// Which variables some semiflow weights: the support of a semiflow of largest support,
// found as the linear program max sum t with 0 <= t <= 1, t <= y, A y = 0, y >= 0 (a
// semiflow scaled up has every weight of its support at least 1, and semiflows add up).
// Variables ruled out by signs stay out.
std::vector<std::uint8_t> Coverable(const CSemiflowSystem& system,
                                    const std::vector<std::uint8_t>& possible,
                                    const std::vector<std::uint8_t>& found) {
    CLinearProgram program;
    program.SetMaximize(true);
    const std::size_t n = system.columns.size();
    std::vector<int> y(n, -1), t(n, -1);
    std::vector<std::vector<std::pair<int, double>>> rows(
        static_cast<std::size_t>(system.constraints));
    for (std::size_t v = 0; v < n; ++v) {
        if (!possible[v] || found[v])
            continue;
        y[v] = program.AddVariable(0.0, CLinearProgram::kInfinity);
        t[v] = program.AddVariable(0.0, 1.0, 1.0);
        program.AddConstraint({{t[v], 1.0}, {y[v], -1.0}}, -CLinearProgram::kInfinity, 0.0);
    }
    // The variables found in a semiflow already take part with their columns too.
    for (std::size_t v = 0; v < n; ++v) {
        if (!possible[v])
            continue;
        if (y[v] < 0)
            y[v] = program.AddVariable(0.0, CLinearProgram::kInfinity);
        for (const auto& [c, value] : system.columns[v])
            rows[static_cast<std::size_t>(c)].emplace_back(y[v], value);
    }
    for (const auto& row : rows)
        if (!row.empty())
            program.AddConstraint(row, 0.0, 0.0);
    std::vector<std::uint8_t> covered = found;
    if (program.SolveLinear(true) != CLinearProgram::EOutcome::Solved)
        return covered;
    for (std::size_t v = 0; v < n; ++v)
        if (t[v] >= 0 && program.Value(t[v]) > 0.5)
            covered[v] = 1;
    return covered;
}

} // namespace

CSemiflowResult CInvariantAnalysis::FindSInvariants(std::size_t limit,
                                                    const WorkProgress& progress) const {
    return Find(true, limit, progress);
}

CSemiflowResult CInvariantAnalysis::FindTInvariants(std::size_t limit,
                                                    const WorkProgress& progress) const {
    return Find(false, limit, progress);
}

CSemiflowResult CInvariantAnalysis::Find(bool conditions, std::size_t limit,
                                         const WorkProgress& progress) const {
    const CSemiflowSystem system = conditions ? CSemiflowSystem::ForSInvariants(m_net)
                                              : CSemiflowSystem::ForTInvariants(m_net);
    CWorkMeter meter(progress);
    CSemiflowSearch search(system, limit);
    CSemiflowResult result;
    result.end = search.Run(meter);
    if (result.end == EEnumeration::Cancelled || result.end == EEnumeration::Overflow)
        return result;
    result.semiflows = std::move(search.Semiflows());
    std::vector<std::uint8_t> found(system.columns.size(), 0);
    for (CSemiflow& s : result.semiflows) {
        for (std::size_t k = 0; k < s.support.size(); ++k) {
            found[static_cast<std::size_t>(s.support[k])] = 1;
            if (conditions && m_net.Initial(s.support[k]) &&
                __builtin_add_overflow(s.initialValue, s.weights[k], &s.initialValue)) {
                result.semiflows.clear();
                result.end = EEnumeration::Overflow;
                return result;
            }
        }
    }
    result.covered = result.Complete() ? found : Coverable(system, search.Possible(), found);
    return result;
}
