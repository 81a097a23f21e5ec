#pragma once

#include "model/CEditChange.h"

#include <list>
#include <memory>

class CPNElement;

// What a diagram tells the edit under way before it changes anything, so that the edit
// can be undone at the cost of what it touched: an element before its fields change, a
// list of elements before it gains, loses or reorders members, and any other change
// once made. An element a diagram takes out of its lists is handed over, not deleted:
// the edit keeps it for undo.
class CEditRecorder {
public:
    virtual ~CEditRecorder() = default;
    // Before the element's fields change; again later in the same edit costs nothing.
    virtual void Modify(CPNElement* element) = 0;
    // Before the list gains, loses or reorders elements.
    virtual void ModifyList(std::list<CPNElement*>& list) = 0;
    // An element no longer in any list of the diagram: the recorder keeps or deletes it.
    virtual void Discard(CPNElement* element) = 0;
    // A change already made.
    virtual void Record(std::unique_ptr<CEditChange> change) = 0;
};
