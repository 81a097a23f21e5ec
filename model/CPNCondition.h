#pragma once

#include "model/CPNElement.h"
#include "model/CPNLabel.h"
#include "model/CSetEvents.h"

#include <string>

// A condition: a circle of radius 15 around m_ptPos that may hold a token.
class CPNCondition : public CPNElement {
public:
    CPNCondition() = default;
    // A condition at (x, y); the label, if given, is its name and is placed 30 units
    // above the centre.
    CPNCondition(int x, int y, CPNLabel* label);

    const char* GetClassName() const override { return "CPNCondition"; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    // Moves the name label by the same vector; attached edges are left to the caller.
    CRect MoveTo(CPoint pt) override;
    CPoint GetBorderPoint(CPoint toward) const override;
    // The point of the circle around the centre on the way toward the given point.
    static CPoint BorderPointOf(CPoint centre, CPoint toward);
    bool HitTest(CPoint pt) const override;
    // The circle around the centre holds the point (HitTest of a condition there).
    static bool CircleHolds(CPoint centre, CPoint pt);
    CRect GetBoundRect() const override;
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // The name and the case text of a case graph node, which derives from this class
    // (CPNCase) and overrides both; a plain condition has neither. The set of nodes
    // (CSetCases) prints its members through them.
    virtual std::string GetCaseName() const { return {}; }
    virtual std::string GetCaseText() const { return {}; }

    // In design mode the initial marking, in simulation mode membership of the
    // current case.
    bool m_bToken = false;
    // The name label; owned by the net design, not by the condition. May be null.
    CPNLabel* m_pLabel = nullptr;
    // While a step is animated: the token is on its way to or from this condition.
    bool m_bMarked = false;
    // The flow relation, as the last structure build of the net left it.
    CSetEvents m_setPreEvents;
    CSetEvents m_setPostEvents;
};
