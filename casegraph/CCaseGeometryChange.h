#pragma once

#include "casegraph/CPackedIndices.h"
#include "base/CPoint.h"
#include "model/CEditChange.h"
#include "model/CElementState.h"
#include "model/CPNEdge.h"
#include "model/CPNLabel.h"

#include <cstdint>
#include <memory>
#include <vector>

class CCaseGraph;
class CPNStep;

// What moving cases did to a case graph, kept at the cost of what the move touched:
// the cases moved (by index, where they stood before and after), the steps kept as
// records whose route changed (by index, the route before and after), the steps that
// took objects to follow (by index: before, the route their record gives), the steps
// already kept as objects (by index where their ends, put back on the cases where they
// stood, give exactly the state before, else that state), and where the cases stood
// when routed. Redoing routes the objects again exactly as the move did, from exactly
// the state the move found. Applies only to the graph it was made on, while the graph keeps
// its cases.
class CCaseGeometryChange final : public CEditChange {
public:
    // A step kept as objects, as it was before the move: copied into room kept from
    // one move to the next, and made a state only where the move cannot give it back.
    struct ObjectBefore {
        CPNEdge::RouteFields route;
        CPNLabel* label = nullptr;
        CPNLabel::Fields labelFields;
        bool drawn = false;
    };

    explicit CCaseGeometryChange(CCaseGraph& graph);
    ~CCaseGeometryChange() override;

    // How the steps are routed: anew (a layout), or following the case moved (-1: any).
    void SetRouting(bool bReset, int nMovedCase);
    // Before case i moves.
    void MoveCase(std::uint32_t i);
    // Step i (a record) takes another route.
    void RecordRoute(std::uint32_t i, std::uint8_t before, std::uint8_t after);
    // Step i has just got its objects from its record, to follow the move.
    void MadeStep(std::uint32_t i, bool bBentApart);
    // Before the objects of step i follow the move (a layout: bent apart or not).
    void ModifyObjects(std::uint32_t i, bool bBentApart);
    // Before case i's routed position changes.
    void ModifyRoutedAt(std::uint32_t i);
    // Takes the states after; false when nothing changed.
    bool Finish();

    void Undo() override { Apply(false); }
    void Redo() override { Apply(true); }
    std::size_t Size() const override;

private:
    void Apply(bool after);
    // Routes step i's objects as the move did.
    void Route(std::uint32_t i, bool bBentApart);
    // Steps that got objects after this edit follow their records.
    void FollowRecords(const std::vector<std::uint32_t>& routeSteps,
                       const std::vector<std::uint32_t>& made,
                       const std::vector<std::uint32_t>& objects);
    // The graph's cached bounds follow the cases put back, where the cache was current
    // before and every step changed is one of theirs.
    void KeepCache(const std::vector<std::uint32_t>& routeSteps,
                   const std::vector<std::uint32_t>& made,
                   const std::vector<std::uint32_t>& objects, bool cached) const;
    // Whether the ends of the arc, put on its cases where they stood before the move,
    // give exactly the state.
    bool EndsGiveBack(const CPNStep& arc, const ObjectBefore& before) const;
    CPoint PositionBefore(int nCase) const;

    CCaseGraph& m_graph;
    std::uint64_t m_nGeneration;
    bool m_bReset = false;
    int m_nMovedCase = -1;
    std::vector<std::uint32_t> m_cases;
    std::vector<CPoint> m_casesBefore, m_casesAfter;
    // While the move is made: the steps whose route changed, the route before in the
    // low two bits and after in the next two; once made, packed (two routes a byte).
    std::vector<std::uint32_t> m_routeSteps;
    std::vector<std::uint8_t> m_routes;
    CPackedIndices m_packedRouteSteps, m_packedMade, m_packedObjects;
    std::vector<std::uint8_t> m_packedRoutes;
    // Steps made objects; the high bit says bent apart.
    std::vector<std::uint32_t> m_made;
    // Steps kept as objects before: their states then; the high bit says bent apart.
    std::vector<std::uint32_t> m_objects;
    // While the move is made: their states before, in the first m_nBefore entries of
    // the graph's room, borrowed until Finish.
    std::vector<ObjectBefore> m_before;
    std::size_t m_nBefore = 0;
    // Once made: those the ends do not give back, by their place in m_objects.
    struct Kept {
        std::size_t object = 0;
        std::unique_ptr<CElementState> arc, label;
    };
    std::vector<Kept> m_kept;
    std::vector<std::uint32_t> m_routedCases;
    std::vector<CPoint> m_routedBefore, m_routedAfter;
};
