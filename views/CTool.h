#pragma once

#include "base/CPoint.h"

class CPNElement;
class CToolHost;

// One kind of gesture on a diagram: what a press starts, the moves continue and the
// release ends. Each tool is a small class of its own; the view keeps the one the user
// chose and hands it the presses. What a tool changes it changes through the document,
// as one edit.
class CTool {
public:
    // The mouse pointer a gesture under way asks for; Tool leaves it to the view's tool.
    enum class ECursor { Tool, Arrow, Cross, Move };

    virtual ~CTool() = default;
    // A left press at the logical point; true when a gesture starts that the moves and
    // the release belong to.
    virtual bool Press(CToolHost& host, CPoint pt) = 0;
    virtual void Move(CToolHost& /*host*/, CPoint /*pt*/) {}
    virtual void Release(CToolHost& /*host*/, CPoint /*pt*/) {}
    virtual ECursor GestureCursor() const { return ECursor::Tool; }
    // The element the gesture under way moves; null for none.
    virtual CPNElement* GestureElement() const { return nullptr; }
};
