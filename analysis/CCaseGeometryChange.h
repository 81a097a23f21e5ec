#pragma once

#include "base/CPoint.h"
#include "model/CEditChange.h"
#include "model/CElementState.h"

#include <cstdint>
#include <memory>
#include <vector>

class CCaseGraph;

// What moving cases did to a case graph: the cases moved (by index, where they stood
// before and after), the steps kept as records whose route changed (by index, the
// route before and after), the steps and names kept as objects whose route changed
// (their states before and after) and where the cases stood when routed. Its size is
// what the move touched, whatever the size of the graph. Applies only to the graph it
// was made on, while the graph keeps its cases.
class CCaseGeometryChange final : public CEditChange {
public:
    explicit CCaseGeometryChange(CCaseGraph& graph);

    // Before case i moves.
    void MoveCase(std::uint32_t i);
    // Step i (a record) takes another route.
    void RecordRoute(std::uint32_t i, std::uint8_t before, std::uint8_t after);
    // Before the objects of step i change.
    void ModifyObjects(std::uint32_t i);
    // Before case i's routed position changes.
    void ModifyRoutedAt(std::uint32_t i);
    // Takes the states after; false when nothing changed.
    bool Finish();

    void Undo() override { Apply(false); }
    void Redo() override { Apply(true); }
    std::size_t Size() const override;

private:
    void Apply(bool after);
    void FollowRecords();

    struct Objects {
        std::uint32_t step = 0;
        std::unique_ptr<CElementState> arcBefore, arcAfter, labelBefore, labelAfter;
    };
    CCaseGraph& m_graph;
    std::uint64_t m_nGeneration;
    std::vector<std::uint32_t> m_cases;
    std::vector<CPoint> m_casesBefore, m_casesAfter;
    std::vector<std::uint32_t> m_routeSteps;
    // The route before in the low four bits, after in the high.
    std::vector<std::uint8_t> m_routes;
    std::vector<Objects> m_objects;
    std::vector<std::uint32_t> m_routedCases;
    std::vector<CPoint> m_routedBefore, m_routedAfter;
};
