#include "structure/CStateEquation.h"

#include "model/CNetStructure.h"
#include "structure/CLinearProgram.h"
#include "structure/CWorkMeter.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Builds the program: a binary M_c per condition, an integer x_e per event (>= 0 going
// forward), M_c - sum_e C[c][e] x_e = M0_c, and the query's constraints. Minimises the
// occurrences going forward, so that a solution is a short one.
void Build(const CNetStructure& net, const CStateEquationQuery& query, CLinearProgram& program,
           bool integer) {
    const int conditions = static_cast<int>(net.ConditionCount());
    const int events = static_cast<int>(net.EventCount());
    for (int c = 0; c < conditions; ++c)
        program.AddVariable(0.0, 1.0, 0.0, integer);
    const double lower = query.forward ? 0.0 : -CLinearProgram::kInfinity;
    for (int e = 0; e < events; ++e)
        program.AddVariable(lower, CLinearProgram::kInfinity, query.forward ? 1.0 : 0.0, integer);
    std::vector<std::vector<std::pair<int, double>>> rows(static_cast<std::size_t>(conditions));
    for (int c = 0; c < conditions; ++c)
        rows[static_cast<std::size_t>(c)].emplace_back(c, 1.0);
    for (int e = 0; e < events; ++e) {
        for (int c : net.Pre(e))
            rows[static_cast<std::size_t>(c)].emplace_back(conditions + e, 1.0);
        for (int c : net.Post(e))
            rows[static_cast<std::size_t>(c)].emplace_back(conditions + e, -1.0);
    }
    for (int c = 0; c < conditions; ++c) {
        // A condition both before and after an event: the two entries cancel.
        auto& row = rows[static_cast<std::size_t>(c)];
        std::vector<std::pair<int, double>> merged;
        for (const auto& term : row) {
            if (!merged.empty() && merged.back().first == term.first)
                merged.back().second += term.second;
            else
                merged.push_back(term);
        }
        std::erase_if(merged, [](const auto& term) { return term.second == 0.0; });
        const double initial = net.Initial(c) ? 1.0 : 0.0;
        program.AddConstraint(merged, initial, initial);
    }
    for (const CLinearConstraint& constraint : query.constraints) {
        std::vector<std::pair<int, double>> terms;
        for (const auto& [c, coefficient] : constraint.terms)
            terms.emplace_back(c, static_cast<double>(coefficient));
        const double bound = static_cast<double>(constraint.bound);
        using R = CLinearConstraint::ECompare;
        program.AddConstraint(
            terms, constraint.compare == R::LessEqual ? -CLinearProgram::kInfinity : bound,
            constraint.compare == R::GreaterEqual ? CLinearProgram::kInfinity : bound);
    }
}

} // namespace

CStateEquationResult CStateEquation::Solve(const CStateEquationQuery& query,
                                           const WorkProgress& progress) const {
    const int conditions = static_cast<int>(m_net.ConditionCount());
    for (const CLinearConstraint& constraint : query.constraints)
        for (const auto& term : constraint.terms)
            if (term.first < 0 || term.first >= conditions)
                throw std::out_of_range("the state equation has no condition " +
                                        std::to_string(term.first));
    CStateEquationResult result;
    CWorkMeter meter(progress);
    if (!meter.Report(0, 1)) {
        result.cancelled = true;
        return result;
    }
    {
        CLinearProgram relaxation;
        Build(m_net, query, relaxation, false);
        if (relaxation.SolveLinear(false) == CLinearProgram::EOutcome::Infeasible &&
            relaxation.SolveLinear(true) == CLinearProgram::EOutcome::Infeasible) {
            result.verdict = EStateEquationVerdict::Unreachable;
            result.provedByRelaxation = true;
            meter.Report(1, 1);
            return result;
        }
    }
    CLinearProgram program;
    Build(m_net, query, program, true);
    const CLinearProgram::EOutcome outcome =
        program.SolveInteger(query.timeLimitMs, [&meter] { return meter.Report(0, 1); });
    if (meter.Cancelled()) {
        result.cancelled = true;
        return result;
    }
    if (outcome == CLinearProgram::EOutcome::Infeasible) {
        result.verdict = EStateEquationVerdict::Unreachable;
    } else if (outcome == CLinearProgram::EOutcome::Solved) {
        std::vector<int> marked;
        std::vector<std::int64_t> firings;
        for (int c = 0; c < conditions; ++c)
            if (std::llround(program.Value(c)) == 1)
                marked.push_back(c);
        for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
            firings.push_back(std::llround(program.Value(conditions + e)));
        if (Check(query, marked, firings)) {
            result.solved = true;
            result.marking = std::move(marked);
            result.firings = std::move(firings);
        }
    }
    meter.Report(1, 1);
    return result;
}

bool CStateEquation::Check(const CStateEquationQuery& query, const std::vector<int>& marked,
                           const std::vector<std::int64_t>& firings) const {
    std::vector<std::int64_t> m(m_net.ConditionCount(), 0);
    for (int c : m_net.InitialCase())
        m[static_cast<std::size_t>(c)] = 1;
    for (std::size_t e = 0; e < firings.size(); ++e) {
        if (query.forward && firings[e] < 0)
            return false;
        for (int c : m_net.Pre(static_cast<int>(e)))
            m[static_cast<std::size_t>(c)] -= firings[e];
        for (int c : m_net.Post(static_cast<int>(e)))
            m[static_cast<std::size_t>(c)] += firings[e];
    }
    std::vector<std::int64_t> held(m.size(), 0);
    for (int c : marked)
        held[static_cast<std::size_t>(c)] = 1;
    if (m != held)
        return false;
    for (const CLinearConstraint& constraint : query.constraints) {
        std::int64_t sum = 0;
        for (const auto& [c, coefficient] : constraint.terms)
            sum += coefficient * held[static_cast<std::size_t>(c)];
        using R = CLinearConstraint::ECompare;
        if ((constraint.compare == R::LessEqual && sum > constraint.bound) ||
            (constraint.compare == R::GreaterEqual && sum < constraint.bound) ||
            (constraint.compare == R::Equal && sum != constraint.bound))
            return false;
    }
    return true;
}
