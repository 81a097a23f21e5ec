#include "casegraph/CCaseGeometryChange.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "model/CPNLabel.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kBentApart = CPackedIndices::kFlag;
// Every segment drawn: the route's cached rectangles are all made from its points.
bool FullyDrawn(const CPNStep& arc) {
    return arc.m_bBent ? arc.m_bFirstSegment && arc.m_bLastSegment : arc.m_bVisible;
}
std::uint32_t StepOf(std::uint32_t entry) {
    return entry & ~kBentApart;
}
bool BentApart(std::uint32_t entry) {
    return (entry & kBentApart) != 0;
}
} // namespace

CCaseGeometryChange::CCaseGeometryChange(CCaseGraph& graph)
    : m_graph(graph), m_nGeneration(graph.GetGeneration()) {
    m_before.swap(m_graph.m_objectsBefore);
}

CCaseGeometryChange::~CCaseGeometryChange() {
    // Not finished: the room goes back to the graph all the same.
    if (!m_before.empty() && m_graph.m_objectsBefore.empty())
        m_before.swap(m_graph.m_objectsBefore);
}

void CCaseGeometryChange::SetRouting(bool bReset, int nMovedCase) {
    m_bReset = bReset;
    m_nMovedCase = nMovedCase;
}

void CCaseGeometryChange::MoveCase(std::uint32_t i) {
    m_cases.push_back(i);
    m_casesBefore.push_back(m_graph.CaseAt(i)->m_ptPos);
}

void CCaseGeometryChange::RecordRoute(std::uint32_t i, std::uint8_t before, std::uint8_t after) {
    m_routeSteps.push_back(i);
    m_routes.push_back(static_cast<std::uint8_t>(before | after << 2));
}

void CCaseGeometryChange::MadeStep(std::uint32_t i, bool bBentApart) {
    m_made.push_back(i | (bBentApart ? kBentApart : 0));
}

void CCaseGeometryChange::ModifyObjects(std::uint32_t i, bool bBentApart) {
    const CPNStep* arc = m_graph.m_arrSteps[i];
    m_objects.push_back(i | (bBentApart ? kBentApart : 0));
    if (m_nBefore == m_before.size())
        m_before.emplace_back();
    ObjectBefore& before = m_before[m_nBefore++];
    arc->CopyRouteFields(before.route);
    before.label = arc->m_pLabel;
    if (arc->m_pLabel)
        arc->m_pLabel->CopyFields(before.labelFields);
    before.drawn = FullyDrawn(*arc);
}

CPoint CCaseGeometryChange::PositionBefore(int nCase) const {
    for (std::size_t k = 0; k < m_cases.size(); ++k)
        if (static_cast<int>(m_cases[k]) == nCase)
            return m_casesBefore[k];
    return m_graph.CaseAt(static_cast<std::size_t>(nCase))->m_ptPos;
}

bool CCaseGeometryChange::EndsGiveBack(const CPNStep& arc, const ObjectBefore& before) const {
    // The arc's own code on a scratch copy of it as it is now, its cases where they
    // stood.
    CPNStep& scratch = *m_graph.m_pScratchStep;
    const unsigned long long epoch = CPNElement::GeometryEpoch();
    scratch.RestoreState(*arc.SaveState());
    CPNElement* from = scratch.m_pFrom;
    CPNElement* to = scratch.m_pTo;
    m_graph.m_pScratchFrom->m_ptPos = PositionBefore(m_graph.CaseIndexOf(from));
    m_graph.m_pScratchTo->m_ptPos = PositionBefore(m_graph.CaseIndexOf(to));
    scratch.m_pFrom = m_graph.m_pScratchFrom.get();
    scratch.m_pTo = m_graph.m_pScratchTo.get();
    scratch.m_pLabel = nullptr;
    scratch.UpdateEnds(nullptr);
    scratch.m_pFrom = from;
    scratch.m_pTo = to;
    scratch.m_pLabel = arc.m_pLabel;
    const bool bSame = scratch.HasState(before.route, before.label);
    CPNElement::RestoreGeometryEpoch(epoch);
    return bSame;
}

void CCaseGeometryChange::ModifyRoutedAt(std::uint32_t i) {
    m_routedCases.push_back(i);
    m_routedBefore.push_back(m_graph.m_arrRoutedAt[i]);
}

bool CCaseGeometryChange::Finish() {
    // Where the arc's own code, its cases put back, gives the state before exactly (a
    // bent route, whose name stays where it is), the state is not kept.
    for (std::size_t k = 0; k < m_objects.size(); ++k) {
        const CPNStep& arc = *m_graph.m_arrSteps[StepOf(m_objects[k])];
        const ObjectBefore& before = m_before[k];
        // Drawn whole before and after, the ends give it back without a trial.
        if (!m_bReset && (arc.m_bBent || !arc.m_pLabel) &&
            ((before.drawn && FullyDrawn(arc)) || EndsGiveBack(arc, before)))
            continue;
        m_kept.push_back({k, CPNStep::StateOf(before.route, before.label),
                          before.label ? CPNLabel::StateOf(before.labelFields) : nullptr});
    }
    m_nBefore = 0;
    if (m_graph.m_objectsBefore.empty())
        m_before.swap(m_graph.m_objectsBefore);
    std::vector<ObjectBefore>().swap(m_before);
    for (std::uint32_t i : m_cases)
        m_casesAfter.push_back(m_graph.CaseAt(i)->m_ptPos);
    for (std::uint32_t i : m_routedCases)
        m_routedAfter.push_back(m_graph.m_arrRoutedAt[i]);
    const bool bChanged = !m_cases.empty() || !m_routeSteps.empty() || !m_made.empty() ||
                          !m_objects.empty() || !m_routedCases.empty();
    // Kept small: the indices as differences, two routes a byte.
    m_packedRouteSteps.Pack(m_routeSteps);
    m_packedMade.Pack(m_made);
    m_packedObjects.Pack(m_objects);
    m_packedRoutes.assign((m_routes.size() + 1) / 2, 0);
    for (std::size_t k = 0; k < m_routes.size(); ++k)
        m_packedRoutes[k / 2] |= static_cast<std::uint8_t>(m_routes[k] << (k % 2 * 4));
    std::vector<std::uint32_t>().swap(m_routeSteps);
    std::vector<std::uint8_t>().swap(m_routes);
    std::vector<std::uint32_t>().swap(m_made);
    std::vector<std::uint32_t>().swap(m_objects);
    return bChanged;
}

void CCaseGeometryChange::Route(std::uint32_t i, bool bBentApart) {
    CPNStep* arc = m_graph.m_arrSteps[i];
    if (m_bReset) {
        arc->ResetPoints();
        if (bBentApart)
            arc->BendApart();
    } else {
        arc->UpdateEnds(m_nMovedCase < 0 ? nullptr
                                         : m_graph.CaseAt(static_cast<std::size_t>(m_nMovedCase)));
    }
}

void CCaseGeometryChange::Apply(bool after) {
    // A graph computed anew since has other cases and steps.
    if (m_graph.GetGeneration() != m_nGeneration)
        return;
    const bool cached = m_graph.BoundsCacheCurrent();
    const std::vector<std::uint32_t> routeSteps = m_packedRouteSteps.Unpack();
    const std::vector<std::uint32_t> made = m_packedMade.Unpack();
    const std::vector<std::uint32_t> objects = m_packedObjects.Unpack();
    const auto& at = after ? m_casesAfter : m_casesBefore;
    for (std::size_t k = 0; k < m_cases.size(); ++k)
        m_graph.CaseAt(m_cases[k])->MoveTo(at[k]);
    if (after) {
        // From the routes the move found (the records' while the routed positions are
        // still those before, the objects' own), as the move routed them.
        for (std::uint32_t step : made) {
            m_graph.RouteAsRecorded(*m_graph.m_arrSteps[StepOf(step)],
                                    m_graph.m_arrStepRecords[StepOf(step)]);
            Route(StepOf(step), BentApart(step));
        }
        for (std::uint32_t object : objects)
            Route(StepOf(object), BentApart(object));
    }
    for (std::size_t k = 0; k < routeSteps.size(); ++k) {
        const int routes = m_packedRoutes[k / 2] >> (k % 2 * 4);
        m_graph.m_arrStepRecords[routeSteps[k]].route =
            static_cast<CStepRecord::ERoute>(after ? (routes >> 2) & 3 : routes & 3);
    }
    const auto& routed = after ? m_routedAfter : m_routedBefore;
    for (std::size_t k = 0; k < m_routedCases.size(); ++k)
        m_graph.m_arrRoutedAt[m_routedCases[k]] = routed[k];
    if (!after) {
        for (std::uint32_t step : made)
            m_graph.RouteAsRecorded(*m_graph.m_arrSteps[StepOf(step)],
                                    m_graph.m_arrStepRecords[StepOf(step)]);
        for (std::uint32_t object : objects)
            m_graph.m_arrSteps[StepOf(object)]->UpdateEnds(nullptr);
        for (const Kept& kept : m_kept) {
            CPNStep* arc = m_graph.m_arrSteps[StepOf(objects[kept.object])];
            arc->RestoreState(*kept.arc);
            if (kept.label && arc->m_pLabel)
                arc->m_pLabel->RestoreState(*kept.label);
        }
    }
    FollowRecords(routeSteps, made, objects);
    CPNElement::GeometryChanged();
    KeepCache(routeSteps, made, objects, cached);
}

void CCaseGeometryChange::KeepCache(const std::vector<std::uint32_t>& routeSteps,
                                    const std::vector<std::uint32_t>& made,
                                    const std::vector<std::uint32_t>& objects, bool cached) const {
    if (!cached)
        return;
    std::vector<std::uint32_t> cases(m_cases);
    cases.insert(cases.end(), m_routedCases.begin(), m_routedCases.end());
    std::sort(cases.begin(), cases.end());
    cases.erase(std::unique(cases.begin(), cases.end()), cases.end());
    // Only where every step this edit changed is a step of a case it moved (a move of a
    // selection routes every step): the graph then reads those cases' steps again.
    const auto ofTheCases = [this, &cases](std::uint32_t i) {
        const CStepRecord& step = m_graph.m_arrStepRecords[i];
        return std::binary_search(cases.begin(), cases.end(),
                                  static_cast<std::uint32_t>(step.from)) ||
               std::binary_search(cases.begin(), cases.end(), static_cast<std::uint32_t>(step.to));
    };
    if (!std::all_of(routeSteps.begin(), routeSteps.end(), ofTheCases))
        return;
    for (const auto* list : {&made, &objects})
        for (const std::uint32_t entry : *list)
            if (!ofTheCases(StepOf(entry)))
                return;
    m_graph.KeepCacheAfterMoves(cases, true);
}

void CCaseGeometryChange::FollowRecords(const std::vector<std::uint32_t>& routeSteps,
                                        const std::vector<std::uint32_t>& made,
                                        const std::vector<std::uint32_t>& objects) {
    // A step that got its objects after this edit (a click on it, a later edit taken
    // back since) has the route its record had then; it follows the record now. Only
    // the steps this edit touched are looked at: those whose route it recorded and
    // those of the cases it moved.
    std::vector<std::uint32_t> own;
    own.reserve(made.size() + objects.size());
    for (const auto* list : {&made, &objects})
        for (const std::uint32_t entry : *list)
            own.push_back(StepOf(entry));
    std::sort(own.begin(), own.end());
    const auto follow = [this, &own](std::uint32_t i) {
        CPNStep* arc = m_graph.m_arrSteps[i];
        if (arc && !std::binary_search(own.begin(), own.end(), i))
            m_graph.RouteAsRecorded(*arc, m_graph.m_arrStepRecords[i]);
    };
    for (const std::uint32_t i : routeSteps)
        follow(i);
    for (const auto* cases : {&m_cases, &m_routedCases})
        for (const std::uint32_t node : *cases)
            for (const std::uint32_t i : m_graph.StepsOfCase(node))
                follow(i);
}

std::size_t CCaseGeometryChange::Size() const {
    std::size_t size = sizeof(*this) + m_cases.size() * 20 + m_packedRouteSteps.Size() +
                       m_packedRoutes.size() + m_packedMade.Size() + m_packedObjects.Size() +
                       m_routedCases.size() * 20;
    for (const Kept& kept : m_kept)
        size += sizeof(Kept) + kept.arc->Size() + (kept.label ? kept.label->Size() : 0);
    return size;
}
