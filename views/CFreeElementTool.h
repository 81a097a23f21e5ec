#pragma once

#include "views/CTool.h"

// Label and Polygon: a press puts a new free text ("Text1", ...) or a new rectangle on
// the grid point under the mouse, in the view's diagram, selected, its page shown.
class CFreeElementTool : public CTool {
public:
    explicit CFreeElementTool(bool bPolygon) : m_bPolygon(bPolygon) {}
    bool Press(CToolHost& host, CPoint pt) override;

private:
    bool m_bPolygon;
};
