#pragma once

#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <string>

// One holding of a net-design condition in the occurrence net: a condition circle with
// its label "b" and the condition's number drawn on it.
class CPNPlace : public CPNCondition {
public:
    CPNPlace() = default;
    // A place of the condition at (0, 0), carrying a copy of the condition's name.
    explicit CPNPlace(CPNCondition* condition);
    CPNPlace(const CPNPlace&) = delete;
    CPNPlace& operator=(const CPNPlace&) = delete;

    const char* GetClassName() const override { return "CPNPlace"; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;
    // Moves the circle and centres the label on it.
    CRect MoveTo(CPoint pt) override;

    // The net-design condition this is a holding of; not owned.
    CPNCondition* m_pCondition = nullptr;
    // An occurrence has taken this place as input; a place without the flag is open.
    bool m_bConsumed = false;
    CPNLabel m_label;
    // The condition's name when the place was created.
    std::string m_strName;
};
