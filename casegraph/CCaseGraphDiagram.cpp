#include "casegraph/CCaseGeometryChange.h"
#include "casegraph/CCaseGraph.h"
#include "model/CEditRecorder.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "model/CPNLabel.h"
#include "model/RouteGeometry.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace {

std::string CaseLine(const CPNCase* node) {
    return node->m_label.m_strText + ": " + node->m_setConditions.ToString(false);
}

// Strictly inside: left and top greater, right and bottom smaller.
bool LiesInside(const CRect& bounds, const CRect& rect) {
    return bounds.left > rect.left && bounds.top > rect.top && bounds.right < rect.right &&
           bounds.bottom < rect.bottom;
}

// A label's bounds as a box: every pixel it may touch, and one more on two sides.
CBoxIndex::Box LabelBox(const CRect& bounds) {
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

bool StepMeets(const CBoxIndex::Box& box, const CBoxIndex::Box& area) {
    return (box.x1 >= area.x0) & (box.x0 <= area.x1) & (box.y1 >= area.y0) & (box.y0 <= area.y1);
}

// Bounds and area as rectangles, right and bottom outside.
bool LabelMeets(const CRect& b, const CBoxIndex::Box& area) {
    return (b.left < area.x1) & (area.x0 < b.right) & (b.top < area.y1) & (area.y0 < b.bottom);
}

// The boxes of count that meet the area, in increasing order: the answer kept for the
// area, else from the index where it answers, else from every box.
template <class Meets>
std::size_t BoxesMeeting(const CBoxIndex& index, CKeptQuery& kept, const CBoxIndex::Box& area,
                         std::size_t count, std::vector<std::uint32_t>& out, Meets meets) {
    if (kept.Holds(area)) {
        out = kept.Boxes();
        return out.size();
    }
    std::size_t found = 0;
    if (index.Near(area, out)) {
        for (const std::uint32_t i : out)
            if (meets(i))
                out[found++] = i;
    } else {
        // Without a branch: most boxes miss the window, unpredictably.
        out.resize(count + 1);
        for (std::size_t i = 0; i < count; ++i) {
            out[found] = static_cast<std::uint32_t>(i);
            found += static_cast<std::size_t>(meets(static_cast<std::uint32_t>(i)));
        }
    }
    out.resize(found);
    kept.Keep(area, out);
    return found;
}

} // namespace

bool CCaseGraph::NameElements(CDC& dc, const WorkProgress& progress) {
    if (!PrepareCaseObjects(progress))
        return false;
    for (std::size_t i = 0; i < CaseObjects().size(); ++i) {
        if (!ReportWork(progress, i, CaseObjects().size()))
            return false;
        CaseObjects()[i]->m_label.SetText(CaseNameOf(i), dc);
        // Measured anew: the name finds its place by the case's.
        CaseObjects()[i]->MoveTo(CaseObjects()[i]->m_ptPos);
    }
    // Labels of an earlier naming would be lost otherwise.
    for (CPNLabel* label : m_arrStepLabels)
        delete label;
    m_arrStepLabels.assign(m_arrSteps.size(), nullptr);
    // Every name is measured once, in the font of a new label; a step kept as its
    // record keeps only the size.
    CPNLabel& measure = *m_pScratchLabel;
    measure.m_ptPos = CPoint();
    for (std::size_t j = 0; j < m_arrSteps.size(); ++j) {
        if (!ReportWork(progress, j, m_arrSteps.size()))
            return false;
        measure.m_strText = StepLabelText(j);
        measure.RecalcTextRect(dc);
        CStepRecord& step = m_arrStepRecords[j];
        step.labelWidth =
            static_cast<std::uint16_t>(std::clamp(measure.m_rcText.Width(), 0, 0xFFFF));
        step.labelHeight =
            static_cast<std::uint16_t>(std::clamp(measure.m_rcText.Height(), 0, 0xFFFF));
        CPNStep* arc = m_arrSteps[j];
        if (!arc)
            continue;
        // Measured just now, at the same place.
        auto* label = new CPNLabel();
        label->m_strText = measure.m_strText;
        label->m_rcText = measure.m_rcText;
        label->m_pOwner = arc;
        // A routed step keeps its label above the middle of its route.
        if (arc->m_listPoints.size() >= 3) {
            const CPoint m = std::next(arc->m_listPoints.begin())->m_pt;
            label->MoveTo(CPoint(m.x, m.y - 15));
        }
        m_arrStepLabels[j] = label;
        arc->SetLabel(label);
    }
    m_nStepLabels = static_cast<int>(m_arrStepLabels.size());
    return ReportWork(progress, m_arrSteps.size(), m_arrSteps.size());
}

bool CCaseGraph::NameIfUnnamed(CDC& dc, const WorkProgress& progress) {
    if (!PrepareCaseObjects(progress))
        return false;
    // Nodes made for a part shown are named, the others not yet.
    if (std::any_of(CaseObjects().begin(), CaseObjects().end(),
                    [](const CPNCase* node) { return node->m_label.m_strText.empty(); }))
        return NameElements(dc, progress);
    return true;
}

bool CCaseGraph::WriteNames(const WorkProgress& progress) const {
    ClearOutputPane(PANE_CASEGRAPH_LEGEND);
    return NameLines([](const std::string& line) { WriteOutput(PANE_CASEGRAPH_LEGEND, line); },
                     progress);
}

bool CCaseGraph::NameLines(const std::function<void(const std::string&)>& write,
                           const WorkProgress& progress) const {
    if (!PrepareCaseObjects(progress))
        return false;
    write("Names of cases...");
    for (std::size_t i = 0; i < m_arrCases.size(); ++i) {
        if (!ReportWork(progress, i, m_arrCases.size()))
            return false;
        write(CaseLine(m_arrCases[i]));
    }
    write("");
    write("Names of steps...");
    std::string line;
    const std::vector<std::string> texts = m_eventSets.Texts();
    for (std::size_t i = 0; i < m_arrStepRecords.size(); ++i) {
        if (!ReportWork(progress, i, m_arrStepRecords.size()))
            return false;
        if (!GetStepName(i, line))
            continue;
        line += ": ";
        line += texts[m_arrStepRecords[i].events];
        write(line);
    }
    return ReportWork(progress, m_arrStepRecords.size(), m_arrStepRecords.size());
}

void CCaseGraph::DrawNameLegend(CDC& dc, int lineHeight) const {
    constexpr int x = 720;
    int y = -740;
    auto line = [&](const std::string& text) {
        if (!text.empty())
            dc.TextOut(x, y, text);
        y -= lineHeight;
    };
    line("Names of cases:");
    for (const CPNCase* node : CaseObjects())
        line(CaseLine(node));
    line("");
    line("Names of steps:");
    std::string name;
    const std::vector<std::string> texts = m_eventSets.Texts();
    for (std::size_t i = 0; i < m_arrStepRecords.size(); ++i)
        if (GetStepName(i, name))
            line(name + ": " + texts[m_arrStepRecords[i].events]);
}

void CCaseGraph::Draw(CDC& dc) const {
    for (const CPNElement* element : m_listElements)
        element->Draw(dc);
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (IsCaseShown(i) && MadeCases()[i])
            MadeCases()[i]->Draw(dc);
    StepShape shape;
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        if (!IsStepShown(i))
            continue;
        if (m_arrSteps[i]) {
            m_arrSteps[i]->Draw(dc);
            continue;
        }
        ShapeOf(m_arrStepRecords[i], shape);
        DrawShape(dc, shape);
    }
    for (std::size_t i = 0; i < m_arrStepLabels.size(); ++i) {
        if (!IsStepShown(i))
            continue;
        if (m_arrStepLabels[i]) {
            m_arrStepLabels[i]->Draw(dc);
            continue;
        }
        ShapeOf(m_arrStepRecords[i], shape);
        DrawRecordedLabel(dc, shape, i);
    }
}

CRect CCaseGraph::MarkPath(const std::vector<const CPNElement*>& elements,
                           const std::vector<const CPNElement*>& loop) {
    CRect rect;
    for (CPNCase* node : MadeCases()) {
        if (!node)
            continue;
        node->m_bOnLoop = false;
        if (std::exchange(node->m_bOnPath, false))
            rect |= node->GetBoundRect();
    }
    for (CPNStep* arc : m_arrSteps) {
        if (!arc)
            continue;
        arc->m_bOnLoop = false;
        if (std::exchange(arc->m_bOnPath, false))
            rect |= arc->GetBoundRect();
    }
    m_nPathSteps = 0;
    for (const auto* list : {&elements, &loop}) {
        for (const CPNElement* element : *list) {
            if (auto* node = dynamic_cast<CPNCase*>(const_cast<CPNElement*>(element))) {
                node->m_bOnPath = true;
                node->m_bOnLoop = list == &loop;
            } else if (auto* arc = dynamic_cast<CPNStep*>(const_cast<CPNElement*>(element))) {
                m_nPathSteps += arc->m_bOnPath ? 0 : 1;
                arc->m_bOnPath = true;
                arc->m_bOnLoop = list == &loop;
            }
            rect |= element->GetBoundRect();
        }
    }
    m_bPathNew = !elements.empty() || !loop.empty();
    return rect;
}

bool CCaseGraph::BoundsCacheCurrent() const {
    const BoundsCache& cache = m_boundsCache;
    const std::array<const void*, 3> arrays = {MadeCases().data(), m_arrStepRecords.data(),
                                               m_arrStepLabels.data()};
    const std::array<std::size_t, 3> sizes = {MadeCases().size(), m_arrStepRecords.size(),
                                              m_arrStepLabels.size()};
    return cache.valid && cache.epoch == CPNElement::GeometryEpoch() && cache.arrays == arrays &&
           cache.sizes == sizes;
}

bool CCaseGraph::RefreshBoundsCache(const WorkProgress& progress) const {
    // The bounds are read once per change of geometry, into arrays that a repaint
    // scans without touching the elements.
    if (BoundsCacheCurrent())
        return true;
    BoundsCache& cache = m_boundsCache;
    cache.valid = false;
    cache.arrays = {MadeCases().data(), m_arrStepRecords.data(), m_arrStepLabels.data()};
    cache.sizes = {MadeCases().size(), m_arrStepRecords.size(), m_arrStepLabels.size()};
    cache.caseBounds.resize(MadeCases().size());
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        CacheCase(i);
    const std::size_t steps = m_arrStepRecords.size();
    cache.stepRoutes.resize(steps);
    cache.stepStraight.resize(steps);
    cache.stepBoxes.resize(steps);
    cache.labelBounds.resize(m_arrStepLabels.size());
    for (std::size_t i = 0; i < steps; ++i) {
        if (!ReportWork(progress, i, steps))
            return false;
        CacheStep(i);
    }
    cache.stepIndex.Build(cache.stepBoxes.data(), steps);
    cache.stepQuery.Forget();
    cache.labelQuery.Forget();
    std::vector<StepBox> labels(cache.labelBounds.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = LabelBox(cache.labelBounds[i]);
    cache.labelIndex.Build(labels.data(), labels.size());
    cache.epoch = CPNElement::GeometryEpoch();
    cache.valid = true;
    ++cache.builds;
    return true;
}

void CCaseGraph::ShowOnly(std::vector<bool> shown) {
    if (!shown.empty() && shown.size() != CaseCount())
        shown.clear();
    m_shown = std::move(shown);
    ++m_nShownChanges;
}

bool CCaseGraph::DensityCurrent() const {
    return !m_density.IsEmpty() && m_nDensityBuild == m_boundsCache.builds &&
           m_nDensityEpoch == m_boundsCache.epoch && m_nDensityShown == m_nShownChanges;
}

bool CCaseGraph::RefreshDensity(const WorkProgress& progress) const {
    if (!RefreshBoundsCache(progress))
        return false;
    if (DensityCurrent())
        return true;
    // Counted anew whole, or not at all.
    m_nDensityBuild = 0;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < m_boundsCache.stepRoutes.size(); ++i)
        shown += IsStepShown(i) ? 1 : 0;
    m_density.Reset(m_sizeExtent.cx, m_sizeExtent.cy, shown);
    const std::size_t steps = m_boundsCache.stepRoutes.size();
    for (std::size_t i = 0; i < steps; ++i) {
        if (!ReportWork(progress, i, steps))
            return false;
        AddToDensity(i, 1);
    }
    m_nDensityBuild = m_boundsCache.builds;
    m_nDensityEpoch = m_boundsCache.epoch;
    m_nDensityShown = m_nShownChanges;
    return ReportWork(progress, steps, steps);
}

bool CCaseGraph::PrepareDrawing(const WorkProgress& progress) const {
    // The shades only where there are enough steps to need them.
    const std::size_t steps = m_arrStepRecords.size();
    return (steps > static_cast<std::size_t>(m_nDenseSteps) ? RefreshDensity(progress)
                                                            : RefreshBoundsCache(progress)) &&
           ReportWork(progress, steps, steps);
}

void CCaseGraph::AddToDensity(std::size_t step, int delta) const {
    if (!IsStepShown(step))
        return;
    const StepRoute& route = m_boundsCache.stepRoutes[step];
    switch (m_boundsCache.stepStraight[step]) {
    case kRouteStraight:
        m_density.AddSegment(route.from, route.to, delta);
        break;
    case kRouteBentApart:
        m_density.AddSegment(route.from, route.bend, delta);
        m_density.AddSegment(route.bend, route.to, delta);
        break;
    default:
        // Hidden, or drawn by its objects over the shades.
        break;
    }
}

void CCaseGraph::CacheCase(std::size_t i) const {
    // A case still kept as its row is nowhere.
    m_boundsCache.caseBounds[i] = MadeCases()[i] ? MadeCases()[i]->GetBoundRect() : CRect();
}

void CCaseGraph::CacheStep(std::size_t i) const {
    BoundsCache& cache = m_boundsCache;
    constexpr int reach = CPNEdge::kDrawReach;
    StepRoute& route = cache.stepRoutes[i];
    StepBox& box = cache.stepBoxes[i];
    const CPNStep* arc = m_arrSteps[i];
    bool straight = false;
    bool bentApart = false;
    CRect bounds;
    if (arc) {
        straight = arc->GetStraightRoute(route.from, route.to);
        bounds = arc->GetBoundRect();
        if (i < m_arrStepLabels.size())
            cache.labelBounds[i] = m_arrStepLabels[i]->GetBoundRect();
    } else {
        StepShape shape;
        ShapeOf(m_arrStepRecords[i], shape);
        straight = shape.drawn && !shape.bent;
        bentApart = shape.drawn && shape.bent;
        route = {shape.from, shape.to, shape.bend};
        bounds = shape.bounds;
        if (i < m_arrStepLabels.size())
            cache.labelBounds[i] = InflatedText(shape);
    }
    cache.stepStraight[i] = straight ? kRouteStraight : bentApart ? kRouteBentApart : kRouteOther;
    if (straight) {
        box = {
            std::min(route.from.x, route.to.x) - reach, std::min(route.from.y, route.to.y) - reach,
            std::max(route.from.x, route.to.x) + reach, std::max(route.from.y, route.to.y) + reach};
        return;
    }
    // A bent or hidden step: its bounds and the pen's reach, as pixels included.
    box = {bounds.left - reach + 1, bounds.top - reach + 1, bounds.right + reach - 1,
           bounds.bottom + reach - 1};
}

void CCaseGraph::KeepCacheAfterMove(std::size_t node) const {
    BoundsCache& cache = m_boundsCache;
    const bool density = DensityCurrent();
    CacheCase(node);
    for (const std::uint32_t i : StepsOfCase(node)) {
        if (density)
            AddToDensity(i, -1);
        const bool named = i < cache.labelBounds.size();
        const bool stepWas = StepMeets(cache.stepBoxes[i], cache.stepQuery.Area());
        const bool labelWas = named && LabelMeets(cache.labelBounds[i], cache.labelQuery.Area());
        CacheStep(i);
        cache.stepIndex.Move(i, cache.stepBoxes[i]);
        cache.stepQuery.Moved(i, stepWas, StepMeets(cache.stepBoxes[i], cache.stepQuery.Area()));
        if (named) {
            cache.labelIndex.Move(i, LabelBox(cache.labelBounds[i]));
            cache.labelQuery.Moved(i, labelWas,
                                   LabelMeets(cache.labelBounds[i], cache.labelQuery.Area()));
        }
        if (density)
            AddToDensity(i, 1);
    }
    m_boundsCache.epoch = CPNElement::GeometryEpoch();
    if (density)
        m_nDensityEpoch = m_boundsCache.epoch;
}

void CCaseGraph::KeepCacheAfterMoves(const std::vector<std::uint32_t>& cases, bool cached) const {
    if (!cached)
        return;
    std::size_t touched = 0;
    for (const std::uint32_t node : cases)
        touched += StepsOfCase(node).size();
    if (touched > m_arrStepRecords.size() / 4)
        return;
    for (const std::uint32_t node : cases)
        KeepCacheAfterMove(node);
}

std::size_t CCaseGraph::StepsMeeting(const StepBox& area, std::vector<std::uint32_t>& out) const {
    const StepBox* boxes = m_boundsCache.stepBoxes.data();
    return BoxesMeeting(m_boundsCache.stepIndex, m_boundsCache.stepQuery, area,
                        m_boundsCache.stepBoxes.size(), out,
                        [boxes, &area](std::uint32_t i) { return StepMeets(boxes[i], area); });
}

std::size_t CCaseGraph::LabelsMeeting(const CRect& rect, std::vector<std::uint32_t>& out) const {
    const StepBox area = LabelBox(rect);
    const CRect* bounds = m_boundsCache.labelBounds.data();
    return BoxesMeeting(m_boundsCache.labelIndex, m_boundsCache.labelQuery, area,
                        m_boundsCache.labelBounds.size(), out,
                        [bounds, &area](std::uint32_t i) { return LabelMeets(bounds[i], area); });
}

void CCaseGraph::Draw(CDC& dc, const CRect& clip, bool noStepSelected, double scale) const {
    // Selection handles and pen widths reach a little past an element's bounds.
    CRect area = clip;
    area.InflateRect(kDrawMargin, kDrawMargin);
    auto meets = [&area](const CRect& bounds) {
        return bounds.left < area.right && area.left < bounds.right && bounds.top < area.bottom &&
               area.top < bounds.bottom;
    };
    RefreshBoundsCache();
    const BoundsCache& cache = m_boundsCache;
    // Steps drawn as any straight step is: none selected, none on a shown path.
    const bool plain = noStepSelected && m_nPathSteps == 0;
    CRect reach = area;
    reach.InflateRect(CPNEdge::kDrawReach, CPNEdge::kDrawReach);
    // First the boxes, without a branch (most miss the window, unpredictably); then
    // the straight steps among them that truly cross it, their routes fetched ahead.
    std::vector<std::uint32_t>& candidates = m_boundsCache.candidates;
    std::size_t count = StepsMeeting({area.left, area.top, area.right, area.bottom}, candidates);
    const StepBox* boxes = cache.stepBoxes.data();
    if (!m_shown.empty()) {
        std::size_t kept = 0;
        for (std::size_t n = 0; n < count; ++n)
            if (IsStepShown(candidates[n]))
                candidates[kept++] = candidates[n];
        count = kept;
    }
    // The pixels the lines would blacken, by their boxes' longer sides, against the
    // window's: past half of it the lines are a mass.
    const double pixels = static_cast<double>(area.Width()) * area.Height() * scale * scale;
    double ink = 0.0;
    if (count > static_cast<std::size_t>(m_nDenseSteps))
        for (std::size_t n = 0; n < count; ++n) {
            const StepBox& box = boxes[candidates[n]];
            ink += std::max(box.x1 - box.x0, box.y1 - box.y0);
        }
    // Names smaller than a few pixels are left out.
    const bool named = scale * kNameHeight >= kLegiblePixels;
    if (count > static_cast<std::size_t>(m_nDenseSteps) && ink * scale > 0.5 * pixels) {
        DrawDense(dc, clip, count, meets, named);
        return;
    }
    for (const CPNElement* element : m_listElements)
        if (meets(element->GetBoundRect()))
            element->Draw(dc);
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (IsCaseShown(i) && MadeCases()[i] && meets(cache.caseBounds[i]))
            MadeCases()[i]->Draw(dc, named);
    constexpr std::size_t kAhead = 16;
    const StepRoute* routes = cache.stepRoutes.data();
    for (std::size_t n = 0; n < count; ++n) {
        if (n + kAhead < count)
            __builtin_prefetch(&routes[candidates[n + kAhead]]);
        const std::uint32_t i = candidates[n];
        const std::uint8_t kind = cache.stepStraight[i];
        if (kind == kRouteOther) {
            if (const CPNStep* arc = m_arrSteps[i])
                arc->Draw(dc);
            continue;
        }
        const StepRoute& route = routes[i];
        // A bent step is drawn wherever its box meets the window, as its objects are.
        if (kind == kRouteStraight && !RouteGeometry::SegmentMeetsRect(route.from, route.to, reach))
            continue;
        const CPNStep* arc = plain ? nullptr : m_arrSteps[i];
        if (arc)
            arc->Draw(dc);
        else if (kind == kRouteStraight)
            CPNEdge::DrawStraight(dc, route.from, route.to);
        else
            CPNEdge::DrawOneBend(dc, route.from, route.bend, route.to);
    }
    if (!named)
        return;
    // The labels as the steps: first those whose bounds meet the window, then each.
    std::vector<std::uint32_t>& labels = m_boundsCache.labelCandidates;
    count = LabelsMeeting(area, labels);
    const CRect* labelBounds = cache.labelBounds.data();
    if (!m_shown.empty()) {
        std::size_t kept = 0;
        for (std::size_t n = 0; n < count; ++n)
            if (IsStepShown(labels[n]))
                labels[kept++] = labels[n];
        count = kept;
    }
    StepShape shape;
    for (std::size_t n = 0; n < count; ++n) {
        const std::uint32_t i = labels[n];
        if (m_arrStepLabels[i]) {
            m_arrStepLabels[i]->Draw(dc);
            continue;
        }
        // The text rectangle is the cached bounds less their margin, centred on the
        // label's position.
        shape.rcText = labelBounds[i];
        shape.rcText.DeflateRect(6, 6);
        shape.labelPos = CPoint(shape.rcText.left + m_arrStepRecords[i].labelWidth / 2,
                                shape.rcText.top + m_arrStepRecords[i].labelHeight / 2);
        DrawRecordedLabel(dc, shape, i);
    }
}

void CCaseGraph::DrawDense(CDC& dc, const CRect& clip, std::size_t count,
                           const std::function<bool(const CRect&)>& meets, bool named) const {
    for (const CPNElement* element : m_listElements)
        if (meets(element->GetBoundRect()))
            element->Draw(dc);
    RefreshDensity();
    m_density.Draw(dc, clip);
    // What the user chose stays itself: the steps selected or on the path shown, the
    // cases. The other steps are in the shades, those a move made objects too (a case
    // dragged takes thousands along).
    for (std::size_t n = 0; n < count; ++n)
        if (const CPNStep* arc = m_arrSteps[m_boundsCache.candidates[n]];
            arc && (arc->m_bSelected || arc->m_bOnPath))
            arc->Draw(dc);
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (IsCaseShown(i) && MadeCases()[i] && meets(m_boundsCache.caseBounds[i]))
            MadeCases()[i]->Draw(dc, named);
}

CRect CCaseGraph::DrawingBounds() const {
    RefreshBoundsCache();
    CRect bounds;
    for (std::size_t i = 0; i < m_boundsCache.caseBounds.size(); ++i)
        if (IsCaseShown(i))
            bounds |= m_boundsCache.caseBounds[i];
    for (std::size_t i = 0; i < m_boundsCache.labelBounds.size(); ++i)
        if (IsStepShown(i))
            bounds |= m_boundsCache.labelBounds[i];
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i)
        if (m_arrSteps[i] && IsStepShown(i))
            bounds |= m_arrSteps[i]->GetBoundRect();
    for (const CPNElement* element : m_listElements)
        bounds |= element->GetBoundRect();
    return bounds;
}

CPNElement* CCaseGraph::ElementFromPoint(CPoint pt) {
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (IsCaseShown(i) && MadeCases()[i] && MadeCases()[i]->HitTest(pt))
            return MadeCases()[i];
    // A hover asks this at every move of the mouse: the cached boxes, which hold every
    // pixel a step may be hit at, spare the steps far from the point their geometry.
    RefreshBoundsCache();
    const BoundsCache& cache = m_boundsCache;
    StepShape shape;
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        if (!IsStepShown(i))
            continue;
        if (m_arrSteps[i]) {
            if (m_arrSteps[i]->HitTest(pt))
                return m_arrSteps[i];
            continue;
        }
        const StepBox& box = cache.stepBoxes[i];
        if (pt.x < box.x0 || pt.x > box.x1 || pt.y < box.y0 || pt.y > box.y1)
            continue;
        ShapeOf(m_arrStepRecords[i], shape);
        if (ShapeHit(shape, pt))
            return MakeStep(i);
    }
    for (std::size_t i = 0; i < m_arrStepLabels.size(); ++i) {
        if (!IsStepShown(i))
            continue;
        if (m_arrStepLabels[i]) {
            if (m_arrStepLabels[i]->HitTest(pt))
                return m_arrStepLabels[i];
            continue;
        }
        if (!cache.labelBounds[i].PtInRect(pt))
            continue;
        ShapeOf(m_arrStepRecords[i], shape);
        const bool hit =
            shape.rcText.IsRectEmpty() ? pt == shape.labelPos : shape.rcText.PtInRect(pt);
        if (hit) {
            MakeStep(i);
            return m_arrStepLabels[i];
        }
    }
    for (CPNElement* element : m_listElements)
        if (element->HitTest(pt))
            return element;
    return nullptr;
}

CRect CCaseGraph::SelectInRect(const CRect& rect, bool /*bSimulation*/,
                               std::list<CPNElement*>& selection) {
    CRect result;
    auto consider = [&](CPNElement* element) {
        const CRect bounds = element->GetBoundRect();
        if (!LiesInside(bounds, rect))
            return;
        element->m_bSelected = true;
        selection.push_back(element);
        result |= bounds;
    };
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (IsCaseShown(i) && MadeCases()[i])
            consider(MadeCases()[i]);
    // A step gets its objects only when it is selected.
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i)
        if (IsStepShown(i) && LiesInside(StepBounds(i), rect))
            consider(MakeStep(i));
    for (std::size_t i = 0; i < m_arrStepLabels.size(); ++i) {
        if (!IsStepShown(i) || !LiesInside(StepLabelBounds(i), rect))
            continue;
        MakeStep(i);
        consider(m_arrStepLabels[i]);
    }
    for (CPNElement* element : m_listElements)
        consider(element);
    return result;
}

CRect CCaseGraph::ChangeZOrder(const std::list<CPNElement*>& elements, bool toBack,
                               CEditRecorder& recorder) {
    recorder.ModifyList(m_listElements);
    CRect result;
    for (CPNElement* element : elements) {
        result |= element->GetBoundRect();
        auto it = std::find(m_listElements.begin(), m_listElements.end(), element);
        if (it == m_listElements.end())
            continue;
        m_listElements.erase(it);
        if (toBack)
            m_listElements.push_front(element);
        else
            m_listElements.push_back(element);
    }
    return result;
}

bool CCaseGraph::Contains(const CPNElement* element) const {
    auto has = [element](const auto& list) {
        return std::find(list.begin(), list.end(), element) != list.end();
    };
    return element &&
           (has(m_arrCases) || has(m_arrSteps) || has(m_arrStepLabels) || has(m_listElements));
}

CRect CCaseGraph::MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) {
    const int node = CaseIndexOf(element);
    if (node < 0) {
        recorder.Modify(element);
        // A step's name follows the handle of its route.
        if (auto* arc = dynamic_cast<CPNStep*>(element))
            recorder.Modify(arc->m_pLabel);
        return element->MoveTo(pt);
    }
    // A case: its position and the routes of its steps, nothing of the rest.
    const bool cached = BoundsCacheCurrent();
    auto change = std::make_unique<CCaseGeometryChange>(*this);
    change->MoveCase(static_cast<std::uint32_t>(node));
    CRect rect = element->MoveTo(pt);
    rect |= RouteSteps(element, false, change.get());
    if (cached)
        KeepCacheAfterMove(static_cast<std::size_t>(node));
    if (change->Finish())
        recorder.Record(std::move(change));
    return rect;
}

CRect CCaseGraph::MoveCasesTo(const std::vector<std::pair<std::uint32_t, CPoint>>& moves,
                              CEditRecorder& recorder) {
    CRect rect;
    const bool cached = BoundsCacheCurrent();
    auto change = std::make_unique<CCaseGeometryChange>(*this);
    std::vector<std::uint32_t> cases;
    for (const auto& [node, at] : moves) {
        if (node >= CaseCount())
            continue;
        change->MoveCase(node);
        rect |= CaseAt(node)->MoveTo(at);
        cases.push_back(node);
    }
    // As a layout: the steps of the cases moved start straight again (bent apart where
    // two join the same cases both ways); the rest stay as they are.
    rect |= RouteSteps(nullptr, true, change.get(), &cases);
    KeepCacheAfterMoves(cases, cached);
    if (change->Finish())
        recorder.Record(std::move(change));
    return rect;
}

CCaseGraph::DensityAside CCaseGraph::SetDensityAside() const {
    DensityAside aside;
    aside.current = DensityCurrent();
    if (!aside.current)
        return aside;
    aside.density = m_density;
    aside.build = m_nDensityBuild;
    aside.shown = m_nDensityShown;
    return aside;
}

void CCaseGraph::TakeBackMoves(DensityAside aside, const std::function<void()>& rollback) const {
    // Kept current through the moves: the rollback leaves the shades alone (they are not
    // current while it runs) and the copy takes their place.
    const bool restore = aside.current && DensityCurrent() && m_nDensityBuild == aside.build &&
                         m_nDensityShown == aside.shown;
    if (restore)
        m_nDensityBuild = 0;
    rollback();
    if (!restore || !BoundsCacheCurrent() || m_boundsCache.builds != aside.build ||
        m_nShownChanges != aside.shown)
        return;
    m_density = std::move(aside.density);
    m_nDensityBuild = aside.build;
    m_nDensityEpoch = m_boundsCache.epoch;
    m_nDensityShown = aside.shown;
}

CRect CCaseGraph::MoveElements(const std::list<CPNElement*>& elements, int dx, int dy,
                               CEditRecorder& recorder) {
    CRect rect;
    auto change = std::make_unique<CCaseGeometryChange>(*this);
    for (CPNElement* e : elements) {
        if (auto* label = dynamic_cast<CPNLabel*>(e);
            label && label->m_pOwner &&
            std::find(elements.begin(), elements.end(), label->m_pOwner) != elements.end())
            continue;
        if (const int node = CaseIndexOf(e); node >= 0)
            change->MoveCase(static_cast<std::uint32_t>(node));
        else
            recorder.Modify(e);
        if (auto* arc = dynamic_cast<CPNStep*>(e))
            recorder.Modify(arc->m_pLabel);
        rect |= e->GetBoundRect();
        rect |= e->Offset(dx, dy);
        rect |= e->GetBoundRect();
    }
    // Every step follows, as after any move of a selection.
    rect |= RouteSteps(nullptr, false, change.get());
    if (change->Finish())
        recorder.Record(std::move(change));
    return rect;
}

bool CCaseGraph::AddElement(CPNElement* element, CEditRecorder& recorder) {
    if (!element)
        return false;
    recorder.ModifyList(m_listElements);
    m_listElements.push_back(element);
    return true;
}

CRect CCaseGraph::DeleteElements(std::list<CPNElement*>& elements, CEditRecorder& recorder) {
    CRect rect;
    for (auto it = elements.begin(); it != elements.end();) {
        CPNElement* e = *it;
        auto pos = std::find(m_listElements.begin(), m_listElements.end(), e);
        if (pos == m_listElements.end()) {
            ++it;
            continue;
        }
        recorder.ModifyList(m_listElements);
        rect |= e->GetBoundRect();
        m_listElements.erase(pos);
        it = elements.erase(it);
        recorder.Discard(e);
    }
    return rect;
}
