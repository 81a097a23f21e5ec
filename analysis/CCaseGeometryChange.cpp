#include "analysis/CCaseGeometryChange.h"

#include "analysis/CCaseGraph.h"
#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "model/CPNLabel.h"

CCaseGeometryChange::CCaseGeometryChange(CCaseGraph& graph)
    : m_graph(graph), m_nGeneration(graph.GetGeneration()) {}

void CCaseGeometryChange::MoveCase(std::uint32_t i) {
    m_cases.push_back(i);
    m_casesBefore.push_back(m_graph.m_arrCases[i]->m_ptPos);
}

void CCaseGeometryChange::RecordRoute(std::uint32_t i, std::uint8_t before, std::uint8_t after) {
    m_routeSteps.push_back(i);
    m_routes.push_back(static_cast<std::uint8_t>(before | after << 4));
}

void CCaseGeometryChange::ModifyObjects(std::uint32_t i) {
    const CPNStep* arc = m_graph.m_arrSteps[i];
    Objects objects;
    objects.step = i;
    objects.arcBefore = arc->SaveState();
    if (arc->m_pLabel)
        objects.labelBefore = arc->m_pLabel->SaveState();
    m_objects.push_back(std::move(objects));
}

void CCaseGeometryChange::ModifyRoutedAt(std::uint32_t i) {
    m_routedCases.push_back(i);
    m_routedBefore.push_back(m_graph.m_arrRoutedAt[i]);
}

bool CCaseGeometryChange::Finish() {
    for (std::uint32_t i : m_cases)
        m_casesAfter.push_back(m_graph.m_arrCases[i]->m_ptPos);
    for (Objects& objects : m_objects) {
        const CPNStep* arc = m_graph.m_arrSteps[objects.step];
        objects.arcAfter = arc->SaveState();
        if (arc->m_pLabel)
            objects.labelAfter = arc->m_pLabel->SaveState();
    }
    for (std::uint32_t i : m_routedCases)
        m_routedAfter.push_back(m_graph.m_arrRoutedAt[i]);
    return !m_cases.empty() || !m_routeSteps.empty() || !m_objects.empty() ||
           !m_routedCases.empty();
}

void CCaseGeometryChange::Apply(bool after) {
    // A graph computed anew since has other cases and steps.
    if (m_graph.GetGeneration() != m_nGeneration)
        return;
    const auto& at = after ? m_casesAfter : m_casesBefore;
    for (std::size_t k = 0; k < m_cases.size(); ++k)
        m_graph.m_arrCases[m_cases[k]]->MoveTo(at[k]);
    for (std::size_t k = 0; k < m_routeSteps.size(); ++k)
        m_graph.m_arrStepRecords[m_routeSteps[k]].route =
            static_cast<CStepRecord::ERoute>(after ? m_routes[k] >> 4 : m_routes[k] & 15);
    for (const Objects& objects : m_objects) {
        CPNStep* arc = m_graph.m_arrSteps[objects.step];
        arc->RestoreState(after ? *objects.arcAfter : *objects.arcBefore);
        if (const auto& label = after ? objects.labelAfter : objects.labelBefore;
            label && arc->m_pLabel)
            arc->m_pLabel->RestoreState(*label);
    }
    const auto& routed = after ? m_routedAfter : m_routedBefore;
    for (std::size_t k = 0; k < m_routedCases.size(); ++k)
        m_graph.m_arrRoutedAt[m_routedCases[k]] = routed[k];
    FollowRecords();
    CPNElement::GeometryChanged();
}

void CCaseGeometryChange::FollowRecords() {
    // A step that got its objects after this edit (a click on it, a later edit taken
    // back since) has the route its record had then; it follows the record now.
    std::vector<bool> moved(m_graph.m_arrCases.size());
    for (std::uint32_t i : m_cases)
        moved[i] = true;
    for (std::uint32_t i : m_routedCases)
        moved[i] = true;
    std::vector<bool> follow(m_graph.m_arrStepRecords.size());
    for (std::uint32_t i : m_routeSteps)
        follow[i] = true;
    for (const Objects& objects : m_objects)
        follow[objects.step] = false;
    std::vector<bool> own(m_graph.m_arrStepRecords.size());
    for (const Objects& objects : m_objects)
        own[objects.step] = true;
    for (std::size_t i = 0; i < m_graph.m_arrStepRecords.size(); ++i) {
        CPNStep* arc = m_graph.m_arrSteps[i];
        const CStepRecord& step = m_graph.m_arrStepRecords[i];
        if (!arc || own[i] ||
            !(follow[i] || moved[static_cast<std::size_t>(step.from)] ||
              moved[static_cast<std::size_t>(step.to)]))
            continue;
        m_graph.RouteAsRecorded(*arc, step);
    }
}

std::size_t CCaseGeometryChange::Size() const {
    std::size_t size =
        sizeof(*this) + m_cases.size() * 20 + m_routeSteps.size() * 5 + m_routedCases.size() * 20;
    for (const Objects& objects : m_objects)
        for (const auto* state :
             {&objects.arcBefore, &objects.arcAfter, &objects.labelBefore, &objects.labelAfter})
            size += *state ? (*state)->Size() : 0;
    return size;
}
