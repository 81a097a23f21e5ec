#pragma once

#include <cstddef>

// One part of an edit that is neither an element's state nor a list's order (positions
// kept by index, records of a diagram, settings of the document): it is made already,
// and knows how to take itself back and make itself again.
class CEditChange {
public:
    virtual ~CEditChange() = default;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // The memory it holds, for the edit history's budget.
    virtual std::size_t Size() const = 0;
};
