#include "casegraph/CStoredEngine.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CCasePath.h"
#include "casegraph/CPNCase.h"
#include "engines/CaseClassSearch.h"

#include <algorithm>

std::string CStoredEngine::CountCases() {
    return std::to_string(m_graph.m_nCases);
}

std::string CStoredEngine::CountSteps() {
    return std::to_string(m_graph.m_nSteps);
}

std::string CStoredEngine::CountForwardCases() {
    return std::to_string(std::count_if(m_graph.m_arrCases.begin(), m_graph.m_arrCases.end(),
                                        [](const CPNCase* node) { return node->m_bReachable; }));
}

bool CStoredEngine::IsContactFree() {
    return m_graph.IsContactFree();
}

const CPNCase* CStoredEngine::Node(const CSetConditions& c) const {
    for (const CPNCase* node : m_graph.m_arrCases)
        if (node->m_setConditions.IsEqual(c))
            return node;
    return nullptr;
}

bool CStoredEngine::IsForwardReachable(const CSetConditions& c) {
    const CPNCase* node = Node(c);
    return node && node->m_bReachable;
}

CCaseSearchResult CStoredEngine::Find(const std::vector<CPNCondition*>& wanted,
                                            const std::vector<CPNCondition*>& unwanted,
                                            bool onlyReachable, std::size_t shown) {
    std::vector<CSetConditions> cases;
    std::vector<std::uint8_t> reachable;
    for (const CPNCase* node : m_graph.m_arrCases) {
        cases.push_back(node->m_setConditions);
        reachable.push_back(node->m_bReachable ? 1 : 0);
    }
    const std::vector<std::size_t> found =
        FindCaseIndices(cases, reachable, wanted, unwanted, onlyReachable);
    CCaseSearchResult result;
    result.count = std::to_string(found.size());
    for (std::size_t k = 0; k < found.size() && k < shown; ++k)
        result.first.push_back(cases[found[k]]);
    return result;
}

std::optional<CCaseRun> CStoredEngine::PathTo(const CSetConditions& to) {
    const CPNCase* from = m_graph.GetInitialCase();
    const CPNCase* target = Node(to);
    if (!from || !target)
        return std::nullopt;
    const CCasePath path = CCasePath::Find(m_graph, from, target);
    CCaseRun run;
    run.from = from->m_setConditions;
    run.to = target->m_setConditions;
    run.found = path.IsFound();
    for (const CCasePath::Step& step : path.GetSteps())
        run.steps.push_back({m_graph.StepEvents(step.step), step.forward, step.to->m_setConditions});
    return run;
}
