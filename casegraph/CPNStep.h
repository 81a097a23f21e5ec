#pragma once

#include "model/CPNEdge.h"
#include "model/CSetEvents.h"

#include <string>

class CPNCase;
class CPNLabel;

// An arc of the case graph: the step that leads from the case of m_pFrom to the case
// of m_pTo. It has no route until the layout resets it (ResetPoints); its name label
// belongs to the case graph and sits above the middle of a straight route.
class CPNStep : public CPNEdge {
public:
    CPNStep() = default;
    CPNStep(const CSetEvents& events, CPNCase* from, CPNCase* to);

    const char* GetClassName() const override { return "CPNStep"; }
    // Rebuilds the events' text after reading.
    void Serialize(CArchive& ar) override;

    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;
    // The state SaveState gives of a step with this route and label.
    static std::unique_ptr<CElementState> StateOf(const RouteFields& route, CPNLabel* label);
    // Whether this step's state is the one of that route and label.
    bool HasState(const RouteFields& route, const CPNLabel* label) const;

    // Takes the name label (not owned) and makes the events' text.
    void SetLabel(CPNLabel* label);

    // A straight step is hidden while its two circles overlap; a bent one hides a
    // segment whose bend point lies inside its node or on the end point.
    bool CheckVisibility() override;
    // The circles of two cases around the points do not overlap: a straight step
    // between them is drawn.
    static bool CirclesApart(CPoint a, CPoint b);
    // The edge's end update; the label follows the midpoint of a straight route.
    bool UpdateEnds(CPNElement* moved) override;
    // The straight route, with the label above its midpoint.
    void ResetPoints() override;

    // Two steps that lead between the same two cases in opposite directions are bent
    // apart: each has one bend point, kBendApart units from the middle of the line
    // between the cases to the left of its own direction (on the screen), and its name
    // beside the bend, outside. The bend of the step from the case at a to the one at b:
    static constexpr int kBendApart = 12;
    static CPoint BendApart(CPoint a, CPoint b);
    // Where the name of that step, width x height, is centred.
    static CPoint BentLabelPos(CPoint a, CPoint b, int width, int height);
    // The route bent apart, with the label beside it, for the cases where they are.
    void BendApart();

    // The events fired together.
    CSetEvents m_setEvents;
    // m_setEvents as text, "{ e1, e2 }", made by SetLabel and after loading.
    std::string m_strEvents;
    // The name label ("s1", ...); owned by the case graph.
    CPNLabel* m_pLabel = nullptr;
    // On the path shown to a found case: drawn wide; in the loop of a run, in the loop's
    // colour.
    bool m_bOnPath = false;
    bool m_bOnLoop = false;

    void Draw(CDC& dc) const override;

private:
    // Puts the label 15 units above the midpoint handle of a straight route.
    void PlaceLabel();
};
