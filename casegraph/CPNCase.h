#pragma once

#include "base/CPen.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"

#include <string>

// A node of the case graph: a circle holding one case, named by the label in its
// middle ("c1", "c2", ...).
class CPNCase : public CPNCondition {
public:
    CPNCase();
    explicit CPNCase(const CSetConditions& conditions);
    // The embedded label belongs to this node.
    CPNCase(const CPNCase&) = delete;
    CPNCase& operator=(const CPNCase&) = delete;

    const char* GetClassName() const override { return "CPNCase"; }
    // Rebuilds the case text after reading.
    void Serialize(CArchive& ar) override;

    // The circle, filled red for the current case or, with reachability shown, blue
    // for the initial case and green for the cases reachable from it; then the name.
    void Draw(CDC& dc) const override { Draw(dc, true); }
    // Without its name where the name would be too small to read.
    void Draw(CDC& dc, bool named) const;
    // Moves the circle and centres the name in it.
    CRect MoveTo(CPoint pt) override;
    // Case graph nodes have no page: the page is hidden.
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // The pen of the path shown to a found case, for its cases and steps.
    static const CPen* PathPen();
    // The pen of the loop of a run that repeats it for ever.
    static const CPen* LoopPen();

    std::string GetCaseName() const override { return m_label.m_strText; }
    std::string GetCaseText() const override { return m_strConditions; }

    // m_strConditions = the braced text of m_setConditions (also after loading).
    void UpdateConditionsText() { m_strConditions = m_setConditions.ToString(false); }

    // The node's name, centred on it.
    CPNLabel m_label;
    // The case: the conditions holding a token.
    CSetConditions m_setConditions;
    // m_setConditions as braced text, "{ a, b }".
    std::string m_strConditions;
    // The document's current case.
    bool m_bCurrent = false;
    // Reachable by forward steps from the node marked initial.
    bool m_bReachable = false;
    bool m_bInitial = false;
    // Reachability colouring is on.
    bool m_bShowReachability = false;
    // On the path shown to a found case: drawn with a wide ring; in the loop of a run that
    // repeats it for ever, in the loop's colour.
    bool m_bOnPath = false;
    bool m_bOnLoop = false;
};
