#include "casegraph/CCaseGraph.h"

#include "casegraph/CCaseGeometryChange.h"
#include "model/CEditRecorder.h"

#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "base/CRandomSource.h"
#include "model/CPNLabel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <set>
#include <utility>

void CCaseGraph::SetGridSize(int gridSize) {
    m_nGridSize = m_nMinGridSize = gridSize;
}

void CCaseGraph::ComputeExtent(int cx, int cy) {
    CRect bounds;
    for (const CPNElement* element : m_listElements)
        bounds |= element->GetBoundRect();
    for (const CPNCase* node : MadeCases())
        if (node)
            bounds |= node->GetBoundRect();
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i)
        bounds |= StepBounds(i);
    for (std::size_t i = 0; i < m_arrStepLabels.size(); ++i)
        bounds |= StepLabelBounds(i);
    const int grid = (m_nGridSize + 1) * kGridStep;
    m_sizeExtent = CSize(std::max({cx, std::max(bounds.right, 100), grid}),
                         std::max({cy, std::max(bounds.bottom, 100), grid}));
}

int CCaseGraph::LayoutGridSize() const {
    return 2 * static_cast<int>(std::sqrt(static_cast<double>(m_nCases)) + 1.0);
}

int CCaseGraph::GridCell(CPoint pt) const {
    if (pt.x % kGridStep != 0 || pt.y % kGridStep != 0)
        return -1;
    const int cx = pt.x / kGridStep - 1, cy = pt.y / kGridStep - 1;
    if (cx < 0 || cy < 0 || cx >= m_nGridSize || cy >= m_nGridSize)
        return -1;
    return cy * m_nGridSize + cx;
}

CPoint CCaseGraph::DrawFreeGridPosition(std::vector<bool>& occupied, int& taken) {
    const int g = m_nGridSize;
    // A full grid would make the search endless.
    if (g < 1 || taken >= g * g)
        return CPoint();
    // Draws as the comparison with every used position would, but looks the cell up.
    for (;;) {
        const int x = ((m_rRandom.Rand() % g) * 3 + 3) * 20;
        const int y = (m_rRandom.Rand() % g + 1) * kGridStep;
        const std::size_t cell =
            static_cast<std::size_t>((y / kGridStep - 1) * g + x / kGridStep - 1);
        if (!occupied[cell]) {
            occupied[cell] = true;
            ++taken;
            return CPoint(x, y);
        }
    }
}

CPoint CCaseGraph::GetFreeGridPosition(const std::vector<CPoint>& used, int count) {
    const int g = std::max(m_nGridSize, 0);
    std::vector<bool> occupied(static_cast<std::size_t>(g) * static_cast<std::size_t>(g));
    int taken = 0;
    const int n = std::min(count, static_cast<int>(used.size()));
    for (int i = 0; i < n; ++i) {
        const int cell = GridCell(used[static_cast<std::size_t>(i)]);
        if (cell >= 0 && !occupied[static_cast<std::size_t>(cell)]) {
            occupied[static_cast<std::size_t>(cell)] = true;
            ++taken;
        }
    }
    return DrawFreeGridPosition(occupied, taken);
}

void CCaseGraph::RandomLayout() {
    m_bLaidOut = true;
    // Every node needs a cell of its own; a grid set too small for the graph would
    // leave nodes without one.
    if (m_nGridSize <= 0 || static_cast<long long>(m_nGridSize) * m_nGridSize <= m_nCases) {
        m_nGridSize = m_nMinGridSize = LayoutGridSize();
    }
    m_rRandom.SeedWithTime();
    const int g = m_nGridSize;
    std::vector<bool> occupied(static_cast<std::size_t>(g) * static_cast<std::size_t>(g));
    int taken = 0;
    for (int i = 0; i < m_nCases; ++i) {
        CPoint pt;
        bool saved = i < m_nSavedPositions;
        if (saved) {
            pt = m_arrSavedPositions[static_cast<std::size_t>(i)];
            saved = pt.x <= m_sizeExtent.cx - 15 && pt.y <= m_sizeExtent.cy - 15;
        }
        if (saved) {
            const int cell = GridCell(pt);
            if (cell >= 0 && !occupied[static_cast<std::size_t>(cell)]) {
                occupied[static_cast<std::size_t>(cell)] = true;
                ++taken;
            }
        } else {
            pt = DrawFreeGridPosition(occupied, taken);
        }
        CaseObjects()[static_cast<std::size_t>(i)]->MoveTo(pt);
    }
}

std::span<const std::uint32_t> CCaseGraph::StepsOfCase(std::size_t node) const {
    CaseStepIndex& index = m_caseSteps;
    const std::size_t steps = m_arrStepRecords.size();
    const std::size_t cases = CaseCount();
    if (index.generation != m_nGeneration || index.records != m_arrStepRecords.data() ||
        index.stepCount != steps || index.caseCount != cases || index.offsets.empty()) {
        index.generation = m_nGeneration;
        index.records = m_arrStepRecords.data();
        index.stepCount = steps;
        index.caseCount = cases;
        // Counted, then placed: each case's steps in the order of the list.
        index.offsets.assign(cases + 1, 0);
        for (const CStepRecord& step : m_arrStepRecords) {
            ++index.offsets[static_cast<std::size_t>(step.from) + 1];
            if (step.to != step.from)
                ++index.offsets[static_cast<std::size_t>(step.to) + 1];
        }
        for (std::size_t i = 0; i < cases; ++i)
            index.offsets[i + 1] += index.offsets[i];
        index.steps.resize(index.offsets[cases]);
        std::vector<std::uint32_t> next(index.offsets.begin(), index.offsets.end() - 1);
        for (std::size_t i = 0; i < steps; ++i) {
            const CStepRecord& step = m_arrStepRecords[i];
            index.steps[next[static_cast<std::size_t>(step.from)]++] =
                static_cast<std::uint32_t>(i);
            if (step.to != step.from)
                index.steps[next[static_cast<std::size_t>(step.to)]++] =
                    static_cast<std::uint32_t>(i);
        }
    }
    return {index.steps.data() + index.offsets[node],
            index.offsets[node + 1] - index.offsets[node]};
}

CRect CCaseGraph::UpdateSteps(CPNElement* moved, bool reset, CEditRecorder* recorder) {
    std::unique_ptr<CCaseGeometryChange> change =
        recorder ? std::make_unique<CCaseGeometryChange>(*this) : nullptr;
    const CRect repaint = RouteSteps(moved, reset, change.get());
    if (change && change->Finish())
        recorder->Record(std::move(change));
    return repaint;
}

CRect CCaseGraph::RouteSteps(CPNElement* moved, bool reset, CCaseGeometryChange* change,
                             const std::vector<std::uint32_t>* cases) {
    CRect repaint;
    // Every step; or the steps of the cases given, each routed anew; or the moved case's.
    const bool all = !cases && (reset || !moved);
    const bool every = all || cases != nullptr;
    const int movedCase = every ? -1 : CaseIndexOf(moved);
    if (change)
        change->SetRouting(reset, movedCase);
    const auto index = [](std::size_t i) { return static_cast<std::uint32_t>(i); };
    auto at = [this](int node) { return CaseAt(static_cast<std::size_t>(node))->m_ptPos; };
    StepShape before, after;
    bool changed = false;
    // The steps of the cases given, each once, in the order of the list.
    std::vector<std::uint32_t> steps;
    if (cases) {
        for (const std::uint32_t node : *cases)
            for (const std::uint32_t i : StepsOfCase(node))
                steps.push_back(i);
        std::sort(steps.begin(), steps.end());
        steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    }
    // A reset bends the steps that have an opposite apart.
    const std::vector<bool> opposite = !reset  ? std::vector<bool>()
                                       : cases ? OppositeSteps(steps)
                                               : OppositeSteps();
    // Every step on a reset or a move of everything, else the moved case's own.
    const auto route = [&](std::size_t i) {
        const bool named = i < m_arrStepLabels.size();
        if (!m_arrSteps[i]) {
            CStepRecord& step = m_arrStepRecords[i];
            if (!every && step.from != movedCase && step.to != movedCase)
                return;
            // Without a route only a reset makes one.
            if (!reset && step.route == CStepRecord::Unrouted)
                return;
            CStepRecord next = step;
            next.route = reset ? ResetRoute(opposite[i]) : CStepRecord::Updated;
            ShapeAt(next, at(step.from), at(step.to), after);
            // The record cannot stand for a hidden route (its bounds remember the
            // route before), nor for one routed while its other case stood elsewhere
            // than where the other steps of that case were routed.
            const int other = step.from == movedCase ? step.to : step.from;
            const bool otherMoved =
                !every && at(other) != m_arrRoutedAt[static_cast<std::size_t>(other)];
            // Nor for a bent route whose end moved: the bend stays where it was.
            const bool bentMoved = !reset && step.route == CStepRecord::BentReset;
            if (after.drawn && !otherMoved && !bentMoved) {
                ShapeOf(step, before);
                repaint |= before.bounds;
                if (named)
                    repaint |= InflatedText(before);
                if (change && step.route != next.route)
                    change->RecordRoute(index(i), step.route, next.route);
                step = next;
                changed = true;
                repaint |= after.bounds;
                if (named)
                    repaint |= InflatedText(after);
                return;
            }
            MakeStep(i);
            if (change)
                change->MadeStep(index(i), reset && opposite[i]);
        } else if (change && (every || m_arrSteps[i]->IsAttachedTo(moved))) {
            change->ModifyObjects(index(i), reset && opposite[i]);
        }
        CPNStep* arc = m_arrSteps[i];
        // An arc away from the moved case stays as it is.
        if (!every && !arc->IsAttachedTo(moved))
            return;
        const CRect before =
            arc->GetBoundRect() | (arc->m_pLabel ? arc->m_pLabel->GetBoundRect() : CRect());
        if (reset) {
            arc->ResetPoints();
            if (opposite[i])
                arc->BendApart();
        } else if (!arc->UpdateEnds(moved)) {
            return;
        }
        repaint |= before;
        repaint |= arc->GetBoundRect();
        if (arc->m_pLabel)
            repaint |= arc->m_pLabel->GetBoundRect();
    };
    if (all) {
        for (std::size_t i = 0; i < m_arrSteps.size(); ++i)
            route(i);
    } else if (cases) {
        for (const std::uint32_t i : steps)
            route(i);
    } else if (movedCase >= 0) {
        for (const std::uint32_t i : StepsOfCase(static_cast<std::size_t>(movedCase)))
            route(i);
    }
    if (all) {
        for (std::size_t i = 0; i < MadeCases().size(); ++i) {
            const CPNCase* node = MadeCases()[i];
            if (!node)
                continue;
            if (change && m_arrRoutedAt[i] != node->m_ptPos)
                change->ModifyRoutedAt(index(i));
            m_arrRoutedAt[i] = node->m_ptPos;
        }
    } else if (cases) {
        for (const std::uint32_t node : *cases) {
            if (change && m_arrRoutedAt[node] != CaseAt(node)->m_ptPos)
                change->ModifyRoutedAt(node);
            m_arrRoutedAt[node] = CaseAt(node)->m_ptPos;
        }
    } else if (movedCase >= 0) {
        if (change)
            change->ModifyRoutedAt(index(static_cast<std::size_t>(movedCase)));
        m_arrRoutedAt[static_cast<std::size_t>(movedCase)] = moved->m_ptPos;
    }
    if (changed)
        CPNElement::GeometryChanged();
    return repaint;
}

bool CCaseGraph::ResetRoutes(const WorkProgress& progress) {
    const std::vector<bool> opposite = OppositeSteps();
    StepShape shape;
    for (std::size_t i = 0; i < m_arrSteps.size(); ++i) {
        if (!ReportWork(progress, i, m_arrSteps.size())) {
            CPNElement::GeometryChanged();
            return false;
        }
        if (!m_arrSteps[i]) {
            CStepRecord& step = m_arrStepRecords[i];
            const CPoint from = CaseAt(static_cast<std::size_t>(step.from))->m_ptPos;
            const CPoint to = CaseAt(static_cast<std::size_t>(step.to))->m_ptPos;
            // Drawn, as the shape of a reset route is while its circles are apart (a
            // bent one while its bend lies outside both); a hidden one keeps the bounds
            // of the route before, in its objects.
            bool drawn = false;
            if (opposite[i]) {
                CStepRecord next = step;
                next.route = CStepRecord::BentReset;
                ShapeAt(next, from, to, shape);
                drawn = shape.drawn;
            } else {
                drawn = CPNStep::CirclesApart(from, to);
            }
            if (drawn) {
                step.route = ResetRoute(opposite[i]);
                continue;
            }
            MakeStep(i);
        }
        m_arrSteps[i]->ResetPoints();
        if (opposite[i])
            m_arrSteps[i]->BendApart();
    }
    for (std::size_t i = 0; i < MadeCases().size(); ++i)
        if (MadeCases()[i])
            m_arrRoutedAt[i] = MadeCases()[i]->m_ptPos;
    CPNElement::GeometryChanged();
    return ReportWork(progress, m_arrSteps.size(), m_arrSteps.size());
}

CSize CCaseGraph::InitialLayout(const WorkProgress& progress) {
    if (!PrepareCaseObjects(progress))
        return CSize();
    const int cells = LayoutGridSize();
    SetGridSize(cells);
    const int page = (cells + 1) * kGridStep;
    ComputeExtent(page, page);
    RandomLayout();
    if (!ResetRoutes(progress))
        return CSize();
    return CSize(page, page);
}

std::vector<int> CCaseGraph::FreeCellsNear(CPoint at, std::size_t wanted) const {
    const int g = m_nGridSize;
    if (g <= 0 || wanted == 0)
        return {};
    std::vector<bool> taken(static_cast<std::size_t>(g) * static_cast<std::size_t>(g));
    for (const CPNCase* node : MadeCases())
        if (node)
            if (const int cell = GridCell(node->m_ptPos); cell >= 0)
                taken[static_cast<std::size_t>(cell)] = true;
    // The point's cell, or the one nearest it.
    const int cx = std::clamp((at.x + kGridStep / 2) / kGridStep - 1, 0, g - 1);
    const int cy = std::clamp((at.y + kGridStep / 2) / kGridStep - 1, 0, g - 1);
    // The free cells, nearest first (then row by row): only those of the square around
    // the point that holds enough of them, widened by a factor of the square root of two
    // so that no nearer cell outside it is missed (a grid laid out in layers has millions
    // of cells; sorting them all took seconds).
    const auto freeWithin = [&](int reach, std::vector<std::pair<long long, int>>* out) {
        std::size_t count = 0;
        for (int y = std::max(0, cy - reach); y <= std::min(g - 1, cy + reach); ++y)
            for (int x = std::max(0, cx - reach); x <= std::min(g - 1, cx + reach); ++x)
                if (!taken[static_cast<std::size_t>(y * g + x)]) {
                    ++count;
                    const long long dx = x - cx, dy = y - cy;
                    if (out)
                        out->emplace_back(dx * dx + dy * dy, y * g + x);
                }
        return count;
    };
    int reach = 1;
    while (reach < g && freeWithin(reach, nullptr) < wanted)
        reach *= 2;
    std::vector<std::pair<long long, int>> cells;
    freeWithin(std::min(g, static_cast<int>(std::ceil(reach * std::sqrt(2.0)))), &cells);
    const std::size_t sorted = std::min(wanted, cells.size());
    std::partial_sort(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(sorted),
                      cells.end());
    std::vector<int> nearest(sorted);
    for (std::size_t k = 0; k < sorted; ++k)
        nearest[k] = cells[k].second;
    return nearest;
}

std::vector<std::pair<std::uint32_t, CPoint>>
CCaseGraph::GatherAround(std::uint32_t centre, const std::vector<std::uint32_t>& order) const {
    std::vector<std::pair<std::uint32_t, CPoint>> moves;
    const int g = m_nGridSize;
    if (centre >= CaseCount() || g <= 0)
        return moves;
    std::size_t wanted = 0;
    for (const std::uint32_t node : order)
        wanted += node != centre && node < CaseCount() ? 1 : 0;
    const std::vector<int> cells = FreeCellsNear(CaseAt(centre)->m_ptPos, wanted);
    std::size_t next = 0;
    for (const std::uint32_t node : order) {
        if (node == centre || node >= CaseCount())
            continue;
        if (next == cells.size())
            break;
        const int cell = cells[next++];
        moves.emplace_back(node, CellPoint(cell));
    }
    return moves;
}

bool CCaseGraph::MakePart(const std::vector<bool>& cases, std::uint32_t centre, CDC& dc) {
    if (!m_pCaseSource || centre >= CaseCount())
        return false;
    // The grid a whole layout would give, so that the part stands where the whole
    // graph will have room for it.
    if (m_nGridSize < LayoutGridSize())
        SetGridSize(LayoutGridSize());
    const int page = (m_nGridSize + 1) * kGridStep;
    m_sizeExtent = CSize(std::max(m_sizeExtent.cx, page), std::max(m_sizeExtent.cy, page));
    // The part's cases that stand nowhere (made just now, or made for a run or a
    // search before), the centre first, on the free grid points nearest the middle.
    std::vector<std::uint32_t> unplaced;
    const auto take = [&](std::size_t i) {
        CPNCase* node = CaseAt(i);
        if (node->m_label.m_strText.empty()) {
            node->m_label.SetText(CaseNameOf(i), dc);
            node->MoveTo(node->m_ptPos);
        }
        if (GridCell(node->m_ptPos) < 0)
            unplaced.push_back(static_cast<std::uint32_t>(i));
    };
    take(centre);
    for (std::size_t i = 0; i < cases.size() && i < CaseCount(); ++i)
        if (cases[i] && i != centre)
            take(i);
    const int half = (m_nGridSize / 2 + 1) * kGridStep;
    const std::vector<int> cells = FreeCellsNear(CPoint(half, half), unplaced.size());
    for (std::size_t k = 0; k < unplaced.size() && k < cells.size(); ++k) {
        CPNCase* node = m_arrCases[unplaced[k]];
        node->MoveTo(CellPoint(cells[k]));
        m_arrRoutedAt[unplaced[k]] = node->m_ptPos;
    }
    if (!unplaced.empty())
        CPNElement::GeometryChanged();
    return true;
}

bool CCaseGraph::PlaceOnGrid(const std::vector<std::pair<double, double>>& at,
                             CEditRecorder* recorder) {
    if (at.size() != CaseObjects().size() || at.empty())
        return false;
    // The layers (distinct x, within half a point) become the columns; within them the
    // cases keep their heights, one row per kRowPitch points of the drawing, a case that
    // would share a grid point with another taking the nearest free row of its column.
    constexpr double kRowPitch = 48; // a case's height and the gap between two
    std::vector<double> layers;
    double minY = at.front().second;
    for (const auto& [x, y] : at) {
        layers.push_back(x);
        minY = std::min(minY, y);
    }
    std::sort(layers.begin(), layers.end());
    std::vector<double> columns;
    for (double x : layers)
        if (columns.empty() || x - columns.back() > 0.5)
            columns.push_back(x);
    std::set<std::pair<int, int>> taken;
    std::vector<CPoint> cells(at.size());
    int rows = 0;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const int column = static_cast<int>(
            std::lower_bound(columns.begin(), columns.end(), at[i].first - 0.5) - columns.begin());
        const int wanted = static_cast<int>(std::lround((at[i].second - minY) / kRowPitch));
        int row = wanted;
        for (int k = 1; taken.count({column, row}) != 0; ++k)
            row = wanted + (k % 2 == 1 ? (k + 1) / 2 : -(k / 2));
        if (row < 0) {
            row = wanted;
            while (taken.count({column, row}) != 0)
                ++row;
        }
        taken.insert({column, row});
        cells[i] = CPoint(column, row);
        rows = std::max(rows, row + 1);
    }
    SetGridSize(std::max({m_nGridSize, static_cast<int>(columns.size()), rows}));
    std::unique_ptr<CCaseGeometryChange> change = MoveAllCases(recorder);
    for (std::size_t i = 0; i < CaseObjects().size(); ++i)
        CaseObjects()[i]->MoveTo(
            CPoint((cells[i].x + 1) * kGridStep, (cells[i].y + 1) * kGridStep));
    m_bLaidOut = true;
    RouteSteps(nullptr, true, change.get());
    if (change && change->Finish())
        recorder->Record(std::move(change));
    ComputeExtent(100, 100);
    return true;
}

std::unique_ptr<CCaseGeometryChange> CCaseGraph::MoveAllCases(CEditRecorder* recorder) {
    if (!recorder)
        return nullptr;
    auto change = std::make_unique<CCaseGeometryChange>(*this);
    for (std::size_t i = 0; i < CaseObjects().size(); ++i)
        change->MoveCase(static_cast<std::uint32_t>(i));
    return change;
}

bool CCaseGraph::Smooth(CSize& extent, const SmoothDialogRunner& showDialog,
                        CEditRecorder* recorder) {
    if (!m_bSmoothPrepared) {
        m_bSmoothPrepared = true;
        m_smoothSession.SetGridSize(m_nGridSize, m_nMinGridSize);
        std::vector<std::pair<int, int>> arcs;
        arcs.reserve(m_arrStepRecords.size());
        for (const CStepRecord& step : m_arrStepRecords)
            arcs.emplace_back(step.from, step.to);
        m_smoothSession.Init(std::move(arcs),
                             std::vector<CPNElement*>(CaseObjects().begin(), CaseObjects().end()));
    }
    if (!showDialog || !showDialog(m_smoothSession) || !m_smoothSession.HasResult())
        return false;
    // A search marked started without a population has nothing to apply.
    if (!m_smoothSession.GetAlgorithm().HasPopulation())
        return false;
    std::unique_ptr<CCaseGeometryChange> change = MoveAllCases(recorder);
    m_smoothSession.ApplyBest();
    RouteSteps(nullptr, true, change.get());
    if (change && change->Finish())
        recorder->Record(std::move(change));
    m_nGridSize = m_smoothSession.GetAlgorithm().m_nGridSize;
    ComputeExtent(100, 100);
    extent = m_sizeExtent;
    return true;
}
