#pragma once

#include "views/CTool.h"

#include <memory>

// Select: a press on an element selects it (with Shift or Ctrl held, adds it to the
// selection or takes it away) and drags it, or the whole selection when more is
// selected; a press on nothing clears the selection and starts a band. The drag is a
// gesture of its own, which this tool starts and hands the moves and the release.
class CSelectTool : public CTool {
public:
    bool Press(CToolHost& host, CPoint pt) override;
    void Move(CToolHost& host, CPoint pt) override;
    void Release(CToolHost& host, CPoint pt) override;
    ECursor GestureCursor() const override;
    CPNElement* GestureElement() const override;

private:
    std::unique_ptr<CTool> m_pGesture;
};
