#pragma once

#include "views/CTool.h"

// The band: a press on nothing stretches a rectangle, and its release selects what
// lies inside instead of the selection before. A band whose squared diagonal stays at
// or below 200 is a click and selects nothing.
class CBandTool : public CTool {
public:
    bool Press(CToolHost& host, CPoint pt) override;
    void Move(CToolHost& host, CPoint pt) override;
    void Release(CToolHost& host, CPoint pt) override;
    ECursor GestureCursor() const override {
        return m_bStretched ? ECursor::Cross : ECursor::Arrow;
    }

private:
    CPoint m_ptStart;
    CPoint m_ptLast;
    bool m_bStretched = false;
};
