#pragma once

#include "edit/CSnapshotCommand.h"
#include "edit/CUndoStack.h"

#include <string>

class CZerinDoc;

// The document's one edit history. Every user edit ends with a checkpoint, which
// records the change since the last one as one undoable command (nothing when nothing
// changed). What is not an edit (entering and leaving simulation, the token game, a
// first automatic layout) moves the base instead, so that it never enters the history;
// while simulating, undo and redo are off. The modified flag follows the history: it
// is clear exactly at the state last saved.
class CEditHistory {
public:
    // The history keeps at most this much of the document's states.
    static constexpr std::size_t kBudget = 512u << 20;

    explicit CEditHistory(CZerinDoc& doc) : m_doc(doc) { m_stack.SetBudget(kBudget); }

    // A new or opened document: no history, the state as it is the saved one (or, for a
    // document made from something else and not saved yet, none).
    void Reset(bool bSaved = true);
    // The document was saved as it is now.
    void MarkSaved();
    // The state as it is now is the base of the next edit, without a command. Where it
    // differs from the state the history stood at, that state is no longer the saved
    // one: the document stays modified until it is saved.
    void Rebase();
    // Records the change since the last checkpoint as the edit named by text; edits
    // with the same merge key in a row become one. False when nothing changed or the
    // document is simulating.
    bool Checkpoint(const std::string& text, int nMergeKey = CSnapshotCommand::kNoMerge);
    // The name of the edit under way (a gesture names itself when it starts); the next
    // Checkpoint without a text of its own takes it, else "Edit".
    void NameEdit(const std::string& text) { m_strPending = text; }
    bool Checkpoint(int nMergeKey = CSnapshotCommand::kNoMerge);

    bool CanUndo() const;
    bool CanRedo() const;
    std::string UndoText() const { return m_stack.UndoText(); }
    std::string RedoText() const { return m_stack.RedoText(); }
    // A change not yet recorded is recorded first, so that Undo takes it back.
    void Undo();
    void Redo();
    const CUndoStack& Stack() const { return m_stack; }

private:
    void Restore(const CSnapshotCommand::State& state);
    void SetBase(CSnapshotCommand::Bytes bytes);
    void FollowClean();

    CZerinDoc& m_doc;
    CUndoStack m_stack;
    CSnapshotCommand::State m_base;
    // The document's revision at the base: a checkpoint where it stands still stores
    // nothing (a click in a large case graph costs no copy of it).
    unsigned long long m_nBaseRevision = 0;
    std::string m_strPending;
};
