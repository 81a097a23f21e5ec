#pragma once

#include "model/CPNElement.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"

#include <array>

// An event: a square box around m_ptPos.
class CPNEvent : public CPNElement {
public:
    // One side of the box as a directed segment: start and delta.
    struct BorderSegment {
        int x = 0;
        int y = 0;
        int dx = 0;
        int dy = 0;
    };

    CPNEvent() = default;
    // An event at (x, y); the label, if given, is its name and is placed 30 units
    // above the centre.
    CPNEvent(int x, int y, CPNLabel* label);

    const char* GetClassName() const override { return "CPNEvent"; }
    // Recomputes the box after reading.
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    // Moves the name label by the same vector; attached edges are left to the caller.
    CRect MoveTo(CPoint pt) override;
    CPoint GetBorderPoint(CPoint toward) const override;
    bool HitTest(CPoint pt) const override;
    CRect GetBoundRect() const override;
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // Recomputes the box and its outline from m_ptPos (also after loading).
    void RecalcBox();
    // m_bEnabled = the concession of this event in the case, forward or backward.
    bool UpdateEnabled(const CSetConditions& currentCase, bool forward);

    // The name label; owned by the net design, not by the event. May be null.
    CPNLabel* m_pLabel = nullptr;
    // The hit rectangle of the box.
    CRect m_rcBox;
    // The box outline: top, right, bottom, left.
    std::array<BorderSegment, 4> m_segBorder{};
    // The flow relation, as the last structure build of the net left it.
    CSetConditions m_setPreConditions;
    CSetConditions m_setPostConditions;
    // Concession in the current case: drawn green.
    bool m_bEnabled = false;
    // Part of the step being fired: drawn blue.
    bool m_bHighlight = false;
};
