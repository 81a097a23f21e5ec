#pragma once

#include "views/CTool.h"

class CPNElement;

// Edge: a press on a condition or an event starts an inverting line to the mouse; the
// release on a node of the other kind joins the two by a new edge (a second edge
// between the same two is refused), selected, its page shown.
class CEdgeTool : public CTool {
public:
    bool Press(CToolHost& host, CPoint pt) override;
    void Move(CToolHost& host, CPoint pt) override;
    void Release(CToolHost& host, CPoint pt) override;

private:
    CPNElement* m_pStart = nullptr;
    bool m_bMoved = false;
    CPoint m_ptStart;
    CPoint m_ptEnd;
};
