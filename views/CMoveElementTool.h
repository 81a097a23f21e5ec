#pragma once

#include "views/CTool.h"

// Drags one element by the mouse, or the handle of it the press grabbed (a bend point
// of a route, a corner of an outline): the unsnapped position accumulates, the element
// goes to its grid point, and what is attached to it follows.
class CMoveElementTool : public CTool {
public:
    explicit CMoveElementTool(CPNElement* element) : m_pElement(element) {}
    bool Press(CToolHost& host, CPoint pt) override;
    void Move(CToolHost& host, CPoint pt) override;
    void Release(CToolHost& host, CPoint pt) override;
    ECursor GestureCursor() const override { return ECursor::Move; }
    CPNElement* GestureElement() const override { return m_pElement; }

private:
    CPNElement* m_pElement;
    CPoint m_ptLast;
    CPoint m_ptDrag;
};
