#include "casegraph/CStoredEngine.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CCasePath.h"
#include "casegraph/CPNCase.h"
#include "engines/CaseClassSearch.h"
#include "model/CConditionCaseIndex.h"
#include "model/CPNEvent.h"

#include <algorithm>

CStoredEngine::CStoredEngine(const CCaseGraph& graph) : m_graph(graph) {}

CStoredEngine::~CStoredEngine() = default;

std::string CStoredEngine::CountCases() {
    return std::to_string(m_graph.CaseCount());
}

std::string CStoredEngine::CountSteps() {
    return std::to_string(m_graph.StepCount());
}

std::string CStoredEngine::CountForwardCases() {
    return std::to_string(std::count_if(m_graph.Cases().begin(), m_graph.Cases().end(),
                                        [](const CPNCase* node) { return node->m_bReachable; }));
}

bool CStoredEngine::IsContactFree() {
    std::vector<const CSetConditions*> cases;
    cases.reserve(m_graph.CaseCount());
    for (const CPNCase* node : m_graph.Cases())
        cases.push_back(&node->m_setConditions);
    // A contact needs the pre-set or the post-set in the case: only the cases that may
    // include one of them are asked.
    const CConditionCaseIndex index(cases);
    for (const CPNEvent* event : m_graph.NetEvents()) {
        const CSetConditions& pre = event->m_setPreConditions;
        const CSetConditions& post = event->m_setPostConditions;
        for (const CSetConditions* side : {&pre, &post}) {
            const std::vector<std::size_t>* candidates = index.CasesThatMayInclude(*side);
            const std::size_t count = candidates ? candidates->size() : cases.size();
            for (std::size_t k = 0; k < count; ++k)
                if (cases[candidates ? (*candidates)[k] : k]->IsContact(pre, post))
                    return false;
        }
    }
    return true;
}

bool CStoredEngine::HasConcessionInTheClass(const CPNEvent& event) {
    const std::vector<CPNCase*>& nodes = m_graph.Cases();
    std::vector<const CSetConditions*> cases;
    cases.reserve(nodes.size());
    for (const CPNCase* node : nodes)
        cases.push_back(&node->m_setConditions);
    if (!m_pPreSetIndex)
        m_pPreSetIndex = std::make_unique<CConditionCaseIndex>(cases);
    // Concession needs the pre-set in the case: only the cases that may include it.
    const std::vector<std::size_t>* candidates =
        m_pPreSetIndex->CasesThatMayInclude(event.m_setPreConditions);
    const std::size_t count = candidates ? candidates->size() : cases.size();
    for (std::size_t k = 0; k < count; ++k)
        if (cases[candidates ? (*candidates)[k] : k]->HasConcession(
                event.m_setPreConditions, event.m_setPostConditions, true))
            return true;
    return false;
}

const CPNCase* CStoredEngine::Node(const CSetConditions& c) const {
    const int index = IndexOf(c);
    return index < 0 ? nullptr : m_graph.Cases()[static_cast<std::size_t>(index)];
}

int CStoredEngine::CaseCount() const {
    return static_cast<int>(m_graph.CaseCount());
}

CSetConditions CStoredEngine::Case(int index) const {
    return m_graph.Cases()[static_cast<std::size_t>(index)]->m_setConditions;
}

int CStoredEngine::IndexOf(const CSetConditions& c) const {
    const std::vector<CPNCase*>& nodes = m_graph.Cases();
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i]->m_setConditions.IsEqual(c))
            return static_cast<int>(i);
    return -1;
}

void CStoredEngine::ForEachStep(int index, bool forward, const StepVisitor& visit) {
    for (std::uint32_t step : m_graph.StepsOfCase(static_cast<std::size_t>(index))) {
        const int from = m_graph.StepFrom(step);
        const int to = m_graph.StepTo(step);
        if (forward && from == index)
            visit(m_graph.StepEvents(step), to);
        else if (!forward && to == index)
            visit(m_graph.StepEvents(step), from);
    }
}

const CNodeAdjacency* CStoredEngine::ForwardAdjacency() {
    if (!m_pAdjacency)
        m_pAdjacency = std::make_unique<CNodeAdjacency>(m_graph.ForwardAdjacency());
    return m_pAdjacency.get();
}

const CNodeAdjacency* CStoredEngine::SingleEventAdjacency() {
    if (!m_pSingleEvents)
        m_pSingleEvents = std::make_unique<CNodeAdjacency>(m_graph.SingleEventAdjacency());
    return m_pSingleEvents.get();
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
    for (const CPNCase* node : m_graph.Cases()) {
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
