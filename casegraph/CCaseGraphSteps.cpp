#include "casegraph/CCaseGraph.h"

#include "engines/CCaseEngine.h"

#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "base/CArchive.h"
#include "model/CPNLabel.h"
#include "model/RouteGeometry.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace {

// The scratch work below routes and writes elements no document holds: it leaves
// the count of geometry changes as it found it.
class CEpochKeeper {
public:
    CEpochKeeper() : m_nEpoch(CPNElement::GeometryEpoch()) {}
    ~CEpochKeeper() { CPNElement::RestoreGeometryEpoch(m_nEpoch); }
    CEpochKeeper(const CEpochKeeper&) = delete;
    CEpochKeeper& operator=(const CEpochKeeper&) = delete;

private:
    unsigned long long m_nEpoch;
};

bool SameRoute(const CPNStep& a, const CPNStep& b) {
    if (a.m_ptPos != b.m_ptPos || a.m_bVisible != b.m_bVisible || a.m_rcBounds != b.m_rcBounds ||
        a.m_bBent != b.m_bBent || a.m_bFirstSegment != b.m_bFirstSegment ||
        a.m_bLastSegment != b.m_bLastSegment || a.m_listPoints.size() != b.m_listPoints.size())
        return false;
    for (auto p = a.m_listPoints.begin(), q = b.m_listPoints.begin(); p != a.m_listPoints.end();
         ++p, ++q)
        if (p->m_pt != q->m_pt || p->m_rcSegment != q->m_rcSegment ||
            p->m_bVertex != q->m_bVertex || p->m_bEnd != q->m_bEnd)
            return false;
    return true;
}

bool SameLook(const CPNLabel& a, const CPNLabel& b) {
    return a.m_ptPos == b.m_ptPos && a.m_strText == b.m_strText && a.m_crText == b.m_crText &&
           a.m_logFont == b.m_logFont && a.m_bVisible == b.m_bVisible && a.m_rcText == b.m_rcText;
}

} // namespace

const CSetEvents& CCaseGraph::StepEvents(std::size_t i) const {
    // An arc's own set is the same: it was made from, or read into, the record.
    return m_eventSets[m_arrStepRecords[i].events];
}

std::string CCaseGraph::StepLabelText(std::size_t i) const {
    return "s" + std::to_string(i + 1);
}

bool CCaseGraph::GetStepName(std::size_t i, std::string& name) const {
    if (const CPNStep* arc = m_arrSteps[i]) {
        if (!arc->m_pLabel)
            return false;
        name = arc->m_pLabel->m_strText;
        return true;
    }
    if (i >= m_arrStepLabels.size())
        return false;
    name = StepLabelText(i);
    return true;
}

int CCaseGraph::CaseIndexOf(const CPNElement* element) const {
    // Rows of the engine are no elements.
    for (std::size_t i = 0; i < m_arrCases.size(); ++i)
        if (m_arrCases[i] == element)
            return static_cast<int>(i);
    return -1;
}

CRect CCaseGraph::StepBounds(std::size_t i) const {
    if (const CPNStep* arc = m_arrSteps[i])
        return arc->GetBoundRect();
    StepShape shape;
    ShapeOf(m_arrStepRecords[i], shape);
    return shape.bounds;
}

CRect CCaseGraph::StepLabelBounds(std::size_t i) const {
    if (const CPNLabel* label = m_arrStepLabels[i])
        return label->GetBoundRect();
    StepShape shape;
    ShapeOf(m_arrStepRecords[i], shape);
    return InflatedText(shape);
}

void CCaseGraph::ShapeOf(const CStepRecord& step, StepShape& shape) const {
    if (step.route == CStepRecord::Unrouted)
        ShapeAt(step, CPoint(), CPoint(), shape);
    else
        ShapeAt(step, m_arrRoutedAt[static_cast<std::size_t>(step.from)],
                m_arrRoutedAt[static_cast<std::size_t>(step.to)], shape);
}

CRect CCaseGraph::InflatedText(const StepShape& shape) {
    CRect bounds = shape.rcText;
    bounds.InflateRect(6, 6);
    return bounds;
}

void CCaseGraph::ShapeAt(const CStepRecord& step, CPoint pf, CPoint pt, StepShape& shape) {
    shape = StepShape();
    const int w = step.labelWidth, h = step.labelHeight;
    if (step.route == CStepRecord::Unrouted) {
        shape.rcText = CPNLabel::CentredText(shape.labelPos, w, h);
        return;
    }
    if (step.route == CStepRecord::BentReset) {
        // As CPNStep::BendApart makes the route (CPNEdge::SetBendPoints, UpdateEnds)
        // and CPNStep::CheckVisibility tells which segments are drawn.
        shape.bent = true;
        shape.bend = CPNStep::BendApart(pf, pt);
        shape.from = CPNCondition::BorderPointOf(pf, shape.bend);
        shape.to = CPNCondition::BorderPointOf(pt, shape.bend);
        shape.mid = RouteGeometry::Midpoint(shape.from, shape.bend);
        const CPoint last = RouteGeometry::Midpoint(shape.to, shape.bend);
        shape.drawn = shape.from != shape.to && shape.from != shape.mid &&
                      !CPNCondition::CircleHolds(pf, shape.bend) && shape.to != last &&
                      !CPNCondition::CircleHolds(pt, shape.bend);
        shape.labelPos = CPNStep::BentLabelPos(pf, pt, w, h);
        shape.rcText = CPNLabel::CentredText(shape.labelPos, w, h);
        if (!shape.drawn)
            return;
        shape.rcSegment = RouteGeometry::SegmentRect(shape.from, shape.bend);
        shape.rcSegment2 = RouteGeometry::SegmentRect(shape.bend, shape.to);
        shape.rcBounds = shape.rcSegment | shape.rcSegment2;
        shape.rcBounds.InflateRect(3, 3);
        shape.bounds = shape.rcBounds |
                       CRect(shape.to.x - 15, shape.to.y - 15, shape.to.x + 15, shape.to.y + 15);
        return;
    }
    // As CPNEdge::ResetPoints and CPNEdge::UpdateEnds make a straight route, and
    // CPNStep::CheckVisibility tells whether it is drawn.
    const bool apart = CPNStep::CirclesApart(pf, pt);
    shape.from = CPNCondition::BorderPointOf(pf, pt);
    if (step.route == CStepRecord::Reset) {
        shape.to = CPNCondition::BorderPointOf(pt, shape.from);
        shape.mid = RouteGeometry::Midpoint(shape.from, shape.to);
        shape.drawn = apart;
    } else {
        shape.to = CPNCondition::BorderPointOf(pt, pf);
        const bool meet = shape.from == shape.to;
        shape.mid = meet ? shape.to : RouteGeometry::Midpoint(shape.to, pf);
        shape.drawn = !meet && apart;
    }
    shape.labelPos = CPoint(shape.mid.x, shape.mid.y - 15);
    shape.rcText = CPNLabel::CentredText(shape.labelPos, w, h);
    if (!shape.drawn)
        return;
    shape.rcSegment = RouteGeometry::SegmentRect(shape.from, shape.to);
    shape.rcBounds |= shape.rcSegment;
    if (!shape.rcBounds.IsRectEmpty())
        shape.rcBounds.InflateRect(3, 3);
    shape.bounds =
        shape.rcBounds | CRect(shape.to.x - 15, shape.to.y - 15, shape.to.x + 15, shape.to.y + 15);
}

void CCaseGraph::RouteAsRecorded(CPNStep& arc, const CStepRecord& step) const {
    if (step.route == CStepRecord::Unrouted)
        return;
    m_pScratchFrom->m_ptPos = m_arrRoutedAt[static_cast<std::size_t>(step.from)];
    m_pScratchTo->m_ptPos = m_arrRoutedAt[static_cast<std::size_t>(step.to)];
    CPNElement* from = arc.m_pFrom;
    CPNElement* to = arc.m_pTo;
    CPNLabel* label = arc.m_pLabel;
    arc.m_pFrom = m_pScratchFrom.get();
    arc.m_pTo = m_pScratchTo.get();
    arc.m_pLabel = nullptr;
    arc.ResetPoints();
    if (step.route == CStepRecord::Updated)
        arc.UpdateEnds(nullptr);
    else if (step.route == CStepRecord::BentReset)
        arc.BendApart();
    arc.m_pFrom = from;
    arc.m_pTo = to;
    arc.m_pLabel = label;
    if (!label)
        return;
    if (step.route == CStepRecord::BentReset) {
        label->MoveTo(CPNStep::BentLabelPos(m_pScratchFrom->m_ptPos, m_pScratchTo->m_ptPos,
                                            label->m_rcText.Width(), label->m_rcText.Height()));
    } else if (arc.m_listPoints.size() >= 2) {
        const CPoint m = std::next(arc.m_listPoints.begin())->m_pt;
        label->MoveTo(CPoint(m.x, m.y - 15));
    }
}

std::vector<bool> CCaseGraph::OppositeSteps() const {
    // The steps' targets grouped by the case they leave, each group sorted: a step from
    // a to b has an opposite when b's group holds a.
    const std::size_t cases = CaseCount();
    std::vector<std::size_t> start(cases + 1, 0);
    for (const CStepRecord& step : m_arrStepRecords)
        if (step.from >= 0 && static_cast<std::size_t>(step.from) < cases)
            ++start[static_cast<std::size_t>(step.from) + 1];
    for (std::size_t i = 0; i < cases; ++i)
        start[i + 1] += start[i];
    std::vector<std::int32_t> targets(start[cases]);
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    for (const CStepRecord& step : m_arrStepRecords)
        if (step.from >= 0 && static_cast<std::size_t>(step.from) < cases)
            targets[fill[static_cast<std::size_t>(step.from)]++] = step.to;
    for (std::size_t i = 0; i < cases; ++i)
        std::sort(targets.begin() + static_cast<std::ptrdiff_t>(start[i]),
                  targets.begin() + static_cast<std::ptrdiff_t>(start[i + 1]));
    std::vector<bool> opposite(m_arrStepRecords.size(), false);
    for (std::size_t i = 0; i < m_arrStepRecords.size(); ++i) {
        const CStepRecord& step = m_arrStepRecords[i];
        if (step.to < 0 || static_cast<std::size_t>(step.to) >= cases || step.from == step.to)
            continue;
        const auto first = targets.begin() + static_cast<std::ptrdiff_t>(start[step.to]);
        const auto last = targets.begin() + static_cast<std::ptrdiff_t>(start[step.to + 1]);
        opposite[i] = std::binary_search(first, last, step.from);
    }
    return opposite;
}

std::vector<bool> CCaseGraph::OppositeSteps(const std::vector<std::uint32_t>& steps) const {
    std::unordered_set<std::uint64_t> pairs;
    const auto key = [](std::int32_t from, std::int32_t to) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(from)) << 32 |
               static_cast<std::uint32_t>(to);
    };
    pairs.reserve(steps.size());
    for (const std::uint32_t i : steps)
        pairs.insert(key(m_arrStepRecords[i].from, m_arrStepRecords[i].to));
    std::vector<bool> opposite(m_arrStepRecords.size(), false);
    for (const std::uint32_t i : steps) {
        const CStepRecord& step = m_arrStepRecords[i];
        opposite[i] = step.from != step.to && pairs.count(key(step.to, step.from)) > 0;
    }
    return opposite;
}

void CCaseGraph::DrawShape(CDC& dc, const StepShape& shape) {
    if (!shape.drawn)
        return;
    if (!shape.bent) {
        CPNEdge::DrawStraight(dc, shape.from, shape.to);
        return;
    }
    CPNEdge::DrawOneBend(dc, shape.from, shape.bend, shape.to);
}

bool CCaseGraph::ShapeHit(const StepShape& shape, CPoint pt) {
    // As CPNEdge::HitTest.
    if (!shape.drawn || !shape.rcBounds.PtInRect(pt))
        return false;
    if (!shape.bent)
        return shape.rcSegment.PtInRect(pt) &&
               RouteGeometry::IsNearSegment(pt, shape.from, shape.to);
    return (shape.rcSegment.PtInRect(pt) &&
            RouteGeometry::IsNearSegment(pt, shape.from, shape.bend)) ||
           (shape.rcSegment2.PtInRect(pt) &&
            RouteGeometry::IsNearSegment(pt, shape.bend, shape.to));
}

void CCaseGraph::AddCase(CPNCase* node) {
    CaseObjects().push_back(node);
    m_nCases = static_cast<int>(CaseObjects().size());
    m_arrRoutedAt.resize(CaseObjects().size());
    ++m_nGeneration;
}

void CCaseGraph::AddStep(const CSetEvents& events, int from, int to) {
    AppendStep(m_eventSets.Add(events), from, to);
}

void CCaseGraph::AppendStep(std::uint32_t events, int from, int to) {
    CStepRecord step;
    step.from = from;
    step.to = to;
    step.events = events;
    m_arrStepRecords.push_back(step);
    m_arrSteps.push_back(nullptr);
    m_arrRoutedAt.resize(CaseCount());
    m_nSteps = static_cast<int>(m_arrStepRecords.size());
}

std::size_t CCaseGraph::FindOrAddStep(const CSetEvents& events, int from, int to) {
    const std::uint32_t set = m_eventSets.Add(events);
    if (from >= 0 && static_cast<std::size_t>(from) < CaseCount())
        for (const std::uint32_t i : StepsOfCase(static_cast<std::size_t>(from))) {
            const CStepRecord& step = m_arrStepRecords[i];
            if (step.from == from && step.to == to && step.events == set)
                return i;
        }
    AppendStep(set, from, to);
    return m_arrStepRecords.size() - 1;
}

std::size_t CCaseGraph::AddStepsAmong(const std::vector<bool>& shown, CCaseEngine& engine) {
    if (m_bAllSteps || shown.size() != CaseCount())
        return 0;
    std::vector<int> among;
    for (std::size_t node = 0; node < shown.size(); ++node)
        if (shown[node])
            among.push_back(static_cast<int>(node));
    // The steps the shown cases have already (a path shown, an earlier part).
    std::set<std::tuple<int, int, std::uint32_t>> have;
    for (const int node : among)
        for (const std::uint32_t i : StepsOfCase(static_cast<std::size_t>(node))) {
            const CStepRecord& step = m_arrStepRecords[i];
            have.emplace(step.from, step.to, step.events);
        }
    const std::size_t before = m_arrStepRecords.size();
    // Each step is forward from its first case.
    for (const int from : among) {
        engine.ForEachStepAmong(from, true, among, [&](const CSetEvents& events, int to) {
            const std::uint32_t set = m_eventSets.Add(events);
            if (have.emplace(from, to, set).second)
                AppendStep(set, from, to);
        });
    }
    return m_arrStepRecords.size() - before;
}

CPNStep* CCaseGraph::MakeStep(std::size_t i) {
    if (CPNStep* arc = m_arrSteps[i])
        return arc;
    const CEpochKeeper keeper;
    const CStepRecord& step = m_arrStepRecords[i];
    auto* arc = new CPNStep(m_eventSets[step.events], CaseAt(static_cast<std::size_t>(step.from)),
                            CaseAt(static_cast<std::size_t>(step.to)));
    m_arrSteps[i] = arc;
    if (i < m_arrStepLabels.size()) {
        auto* label = new CPNLabel();
        label->m_strText = StepLabelText(i);
        label->m_rcText = CPNLabel::CentredText(CPoint(), step.labelWidth, step.labelHeight);
        label->m_pOwner = arc;
        m_arrStepLabels[i] = label;
        arc->SetLabel(label);
    }
    RouteAsRecorded(*arc, step);
    // The objects have the geometry the record gave: the cached bounds stay true.
    return arc;
}

void CCaseGraph::FillScratch(std::size_t i) const {
    const CStepRecord& step = m_arrStepRecords[i];
    CPNStep& arc = *m_pScratchStep;
    arc.m_setEvents = m_eventSets[step.events];
    arc.m_pFrom = CaseAt(static_cast<std::size_t>(step.from));
    arc.m_pTo = CaseAt(static_cast<std::size_t>(step.to));
    // As an arc is made, without a route.
    arc.m_ptPos = CPoint();
    arc.m_listPoints.clear();
    arc.m_bVisible = arc.m_bBent = arc.m_bFirstSegment = arc.m_bLastSegment = false;
    arc.m_rcBounds = CRect();
    arc.ReadBendPositions();
    arc.m_pLabel = nullptr;
    if (i < m_arrStepLabels.size()) {
        CPNLabel& label = *m_pScratchLabel;
        label.m_strText = StepLabelText(i);
        label.m_ptPos = CPoint();
        label.m_rcText = CPNLabel::CentredText(CPoint(), step.labelWidth, step.labelHeight);
        label.m_pOwner = &arc;
        arc.m_pLabel = &label;
    }
    RouteAsRecorded(arc, step);
}

bool CCaseGraph::IsPlain(std::size_t i) {
    const CPNStep* arc = m_arrSteps[i];
    if (!arc || arc->m_bSelected || arc->m_bOnPath || arc->HasSelectedPoint())
        return false;
    CStepRecord& step = m_arrStepRecords[i];
    if (step.from < 0 || step.to < 0 ||
        arc->m_pFrom != CaseAt(static_cast<std::size_t>(step.from)) ||
        arc->m_pTo != CaseAt(static_cast<std::size_t>(step.to)) ||
        !arc->m_setEvents.IsEqual(m_eventSets[step.events]))
        return false;
    const CPNLabel* label = i < m_arrStepLabels.size() ? m_arrStepLabels[i] : nullptr;
    if (i < m_arrStepLabels.size()) {
        constexpr int kMax = std::numeric_limits<std::uint16_t>::max();
        if (!label || arc->m_pLabel != label || label->m_bSelected || label->m_pOwner != arc ||
            label->m_rcText.Width() < 0 || label->m_rcText.Width() > kMax ||
            label->m_rcText.Height() < 0 || label->m_rcText.Height() > kMax)
            return false;
        step.labelWidth = static_cast<std::uint16_t>(label->m_rcText.Width());
        step.labelHeight = static_cast<std::uint16_t>(label->m_rcText.Height());
    } else if (arc->m_pLabel) {
        return false;
    }
    const CEpochKeeper keeper;
    for (const CStepRecord::ERoute route : {CStepRecord::Unrouted, CStepRecord::Reset,
                                            CStepRecord::Updated, CStepRecord::BentReset}) {
        step.route = route;
        // A route the record stands for is one the steps' shapes draw: never a
        // hidden one, whose bounds remember an earlier route.
        if (route != CStepRecord::Unrouted) {
            StepShape shape;
            ShapeOf(step, shape);
            if (!shape.drawn)
                continue;
        }
        FillScratch(i);
        if (SameRoute(*arc, *m_pScratchStep) && (!label || SameLook(*label, *m_pScratchLabel)))
            return true;
    }
    step.route = CStepRecord::Unrouted;
    return false;
}

void CCaseGraph::ReleasePlainSteps() {
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        if (!IsPlain(i))
            continue;
        delete m_arrSteps[i];
        m_arrSteps[i] = nullptr;
        if (i < m_arrStepLabels.size()) {
            delete m_arrStepLabels[i];
            m_arrStepLabels[i] = nullptr;
        }
    }
}

void CCaseGraph::WriteSteps(CArchive& ar) const {
    // As an object list of the arcs, then one of their labels: a step kept as its
    // record is written through the scratch objects, exactly as its own would be.
    const CEpochKeeper keeper;
    ar.WriteCount(m_arrSteps.size());
    std::vector<std::uint32_t> labelIndex(m_arrStepLabels.size());
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        if (m_arrSteps[i]) {
            ar.WriteObject(m_arrSteps[i]);
            continue;
        }
        FillScratch(i);
        ar.WriteObject(m_pScratchStep.get());
        if (i < labelIndex.size())
            labelIndex[i] = ar.IndexOf(m_pScratchLabel.get());
        ar.Forget(m_pScratchStep.get());
        ar.Forget(m_pScratchLabel.get());
    }
    ar.WriteCount(m_arrStepLabels.size());
    for (std::size_t i = 0; i < m_arrStepLabels.size(); ++i) {
        if (m_arrStepLabels[i])
            ar.WriteObject(m_arrStepLabels[i]);
        else
            ar.WriteReference(labelIndex[i]);
    }
}

void CCaseGraph::ReadSteps(CArchive& ar) {
    // Read as objects; the document lets go of the plain ones once it has checked them.
    ar.ReadObjectList<CPNStep>(m_arrSteps);
    ar.ReadObjectList<CPNLabel>(m_arrStepLabels);
    std::unordered_map<const CPNElement*, int> index;
    for (std::size_t i = 0; i < CaseObjects().size(); ++i)
        index.emplace(CaseObjects()[i], static_cast<int>(i));
    auto caseOf = [&index](const CPNElement* element) {
        const auto it = index.find(element);
        return it == index.end() ? -1 : it->second;
    };
    m_arrStepRecords.assign(m_arrSteps.size(), CStepRecord());
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        CStepRecord& step = m_arrStepRecords[i];
        step.from = caseOf(m_arrSteps[i]->m_pFrom);
        step.to = caseOf(m_arrSteps[i]->m_pTo);
        step.events = m_eventSets.Add(m_arrSteps[i]->m_setEvents);
    }
    m_arrRoutedAt.clear();
    for (const CPNCase* node : CaseObjects())
        m_arrRoutedAt.push_back(node->m_ptPos);
}

void CCaseGraph::DrawRecordedLabel(CDC& dc, const StepShape& shape, std::size_t i) const {
    // Only what drawing reads: no geometry of any element changes.
    CPNLabel& label = *m_pScratchLabel;
    label.m_strText = StepLabelText(i);
    label.m_ptPos = shape.labelPos;
    label.m_rcText = shape.rcText;
    label.Draw(dc);
}
