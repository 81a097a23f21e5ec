#pragma once

#include "model/CEditChange.h"

#include <cstdint>
#include <memory>

// What the edit history asks of the document it records: its revision, the generation
// of each diagram, its own settings before and after an edit, and what follows an undo.
class CEditHost {
public:
    virtual ~CEditHost() = default;

    // Grows with every change made through the document: where it stands still,
    // nothing changed.
    virtual unsigned long long Revision() const = 0;
    virtual std::uint64_t DiagramGeneration(int nDiagram) const = 0;
    // The settings at the start of an edit, their change at its end, putting them back
    // when the edit is cancelled.
    virtual void BeginFields() = 0;
    virtual std::unique_ptr<CEditChange> EndFields() = 0;
    virtual void RollbackFields() = 0;
    // An undo or redo has been applied: the selection is gone, the views repaint.
    virtual void EditApplied() = 0;
    // Before an undo or redo: nothing stays selected.
    virtual void ClearSelectionForEdit() = 0;
    // Undo and redo are off while simulating.
    virtual bool IsSimulating() const = 0;
    virtual void SetModifiedFlag(bool modified) = 0;
    // An edit was cancelled: the views repaint.
    virtual void EditCancelled() = 0;
};
