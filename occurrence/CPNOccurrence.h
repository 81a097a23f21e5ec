#pragma once

#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <string>

// One occurrence of a net-design event in the occurrence net: an event box with its
// label "e" and the event's number drawn on it.
class CPNOccurrence : public CPNEvent {
public:
    CPNOccurrence() = default;
    // An occurrence of the event at (0, 0), carrying a copy of the event's name.
    explicit CPNOccurrence(CPNEvent* event);
    CPNOccurrence(const CPNOccurrence&) = delete;
    CPNOccurrence& operator=(const CPNOccurrence&) = delete;

    const char* GetClassName() const override { return "CPNOccurrence"; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;
    // Moves the box and centres the label on it.
    CRect MoveTo(CPoint pt) override;

    // The net-design event this is an occurrence of; not owned.
    CPNEvent* m_pEvent = nullptr;
    CPNLabel m_label;
    // The event's name when the occurrence was created.
    std::string m_strName;
    // The output and input edges recorded for it.
    int m_nOutputs = 0;
    int m_nInputs = 0;
};
