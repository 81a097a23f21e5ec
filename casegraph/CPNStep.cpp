#include "casegraph/CPNStep.h"

#include "casegraph/CPNCase.h"
#include "model/CPNLabel.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
#include "model/RouteGeometry.h"

#include <cmath>
#include <iterator>

CPNStep::CPNStep(const CSetEvents& events, CPNCase* from, CPNCase* to)
    : CPNEdge(from, to, true), m_setEvents(events) {}

void CPNStep::Draw(CDC& dc) const {
    if (!m_bOnPath) {
        CPNEdge::Draw(dc);
        return;
    }
    const CPen* oldPen = dc.SelectObject(m_bOnLoop ? CPNCase::LoopPen() : CPNCase::PathPen());
    CPNEdge::Draw(dc);
    dc.SelectObject(oldPen);
}

void CPNStep::SetLabel(CPNLabel* label) {
    m_pLabel = label;
    m_strEvents = m_setEvents.ToString();
}

bool CPNStep::CheckVisibility() {
    if (!m_pFrom || !m_pTo)
        return false;
    if (m_bBent && m_listPoints.size() >= 5) {
        const auto first = m_listPoints.begin();
        const auto last = std::prev(m_listPoints.end());
        m_bFirstSegment =
            first->m_pt != std::next(first)->m_pt && !m_pFrom->HitTest(std::next(first, 2)->m_pt);
        m_bLastSegment =
            last->m_pt != std::prev(last)->m_pt && !m_pTo->HitTest(std::prev(last, 2)->m_pt);
        return m_bFirstSegment && m_bLastSegment;
    }
    return CirclesApart(m_pFrom->m_ptPos, m_pTo->m_ptPos);
}

bool CPNStep::CirclesApart(CPoint a, CPoint b) {
    // Two circles of radius 15 whose centres are closer than about 31.6 overlap.
    const long long dx = b.x - a.x, dy = b.y - a.y;
    return dx * dx + dy * dy > 1000;
}

bool CPNStep::UpdateEnds(CPNElement* moved) {
    const bool changed = CPNEdge::UpdateEnds(moved);
    // Only a route that changed takes the label along: a label the user placed
    // elsewhere stays where it is while unrelated nodes move.
    if (changed && !m_bBent)
        PlaceLabel();
    return changed;
}

void CPNStep::ResetPoints() {
    CPNEdge::ResetPoints();
    PlaceLabel();
}

namespace {

// The unit normal to the left of the direction from a to b on the screen (y down).
bool LeftNormal(CPoint a, CPoint b, double& nx, double& ny) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0)
        return false;
    nx = dy / length;
    ny = -dx / length;
    return true;
}

} // namespace

CPoint CPNStep::BendApart(CPoint a, CPoint b) {
    const CPoint mid = RouteGeometry::Midpoint(a, b);
    double nx = 0.0, ny = 0.0;
    if (!LeftNormal(a, b, nx, ny))
        return mid;
    return CPoint(mid.x + RouteGeometry::Trunc(nx * kBendApart + (nx < 0 ? -0.5 : 0.5)),
                  mid.y + RouteGeometry::Trunc(ny * kBendApart + (ny < 0 ? -0.5 : 0.5)));
}

CPoint CPNStep::BentLabelPos(CPoint a, CPoint b, int width, int height) {
    const CPoint bend = BendApart(a, b);
    double nx = 0.0, ny = 0.0;
    if (!LeftNormal(a, b, nx, ny))
        return CPoint(bend.x, bend.y - 15);
    // Far enough out along the normal that the text's box clears the bend.
    const double reach = std::abs(nx) * width / 2.0 + std::abs(ny) * height / 2.0 + 3.0;
    return CPoint(bend.x + RouteGeometry::Trunc(nx * reach),
                  bend.y + RouteGeometry::Trunc(ny * reach));
}

void CPNStep::BendApart() {
    if (!m_pFrom || !m_pTo)
        return;
    const CPoint a = m_pFrom->m_ptPos, b = m_pTo->m_ptPos;
    SetBendPoints({BendApart(a, b)});
    if (m_pLabel)
        m_pLabel->MoveTo(
            BentLabelPos(a, b, m_pLabel->m_rcText.Width(), m_pLabel->m_rcText.Height()));
}

void CPNStep::PlaceLabel() {
    if (!m_pLabel || m_listPoints.size() < 2)
        return;
    const CPoint m = std::next(m_listPoints.begin())->m_pt;
    m_pLabel->MoveTo(CPoint(m.x, m.y - 15));
}

void CPNStep::Serialize(CArchive& ar) {
    CPNEdge::Serialize(ar);
    m_setEvents.Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pLabel);
    } else {
        m_pLabel = ar.ReadObject<CPNLabel>();
        m_strEvents = m_setEvents.ToString();
    }
}

namespace {
struct StepFields {
    CPNEdge::RouteFields route;
    CPNLabel* label = nullptr;
    bool operator==(const StepFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNStep::SaveState() const {
    return StateOf(GetRouteFields(), m_pLabel);
}

std::unique_ptr<CElementState> CPNStep::StateOf(const RouteFields& route, CPNLabel* label) {
    return MakeElementState(StepFields{route, label},
                            route.points.size() * (sizeof(CEdgePoint) + 16));
}

bool CPNStep::HasState(const RouteFields& route, const CPNLabel* label) const {
    return m_pLabel == label && GetRouteFields() == route;
}

void CPNStep::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<StepFields>(state);
    SetRouteFields(fields.route);
    m_pLabel = fields.label;
}
