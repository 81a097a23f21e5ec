#pragma once

#include "views/CTool.h"

// Drags the whole selection by the mouse's way, unsnapped.
class CMoveSelectionTool : public CTool {
public:
    bool Press(CToolHost& host, CPoint pt) override;
    void Move(CToolHost& host, CPoint pt) override;
    ECursor GestureCursor() const override { return ECursor::Move; }

private:
    CPoint m_ptLast;
};
