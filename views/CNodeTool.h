#pragma once

#include "views/CTool.h"

// Condition and Event: a press puts a new condition (or event) with its name on the
// grid point under the mouse, selected, its page shown.
class CNodeTool : public CTool {
public:
    explicit CNodeTool(bool bEvent) : m_bEvent(bEvent) {}
    bool Press(CToolHost& host, CPoint pt) override;

private:
    bool m_bEvent;
};
