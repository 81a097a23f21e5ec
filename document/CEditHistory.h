#pragma once

#include "edit/CElementCommit.h"
#include "edit/CUndoStack.h"
#include "model/CEditRecorder.h"

#include <memory>
#include <string>

class CEditHost;

// The document's one edit history. An edit is opened when a gesture or command starts
// and closed when it ends; while open, the diagrams report what they touch, and closing
// it pushes one command with the states before and after of exactly that (nothing when
// nothing changed). What is not an edit (entering and leaving simulation, the token
// game, a first automatic layout) is not recorded; while simulating, undo and redo are
// off. The modified flag follows the history: it is clear exactly at the state last
// saved.
class CEditHistory {
public:
    // The history keeps at most this much memory of edits.
    static constexpr std::size_t kBudget = 512u << 20;

    explicit CEditHistory(CEditHost& doc) : m_doc(doc) { m_stack.SetBudget(kBudget); }
    ~CEditHistory();

    // A new or opened document: no history, the state as it is the saved one (or, for a
    // document made from something else and not saved yet, none).
    void Reset(bool bSaved = true);
    // The document was saved as it is now.
    void MarkSaved();
    // Something that is no edit changed the document (a first layout, a simulation):
    // the state the history stands at is no longer the saved one, and the document
    // stays modified until it is saved.
    void Rebase();

    // Opens an edit named text; an edit opened while one is open joins it. Edits with
    // the same merge key in a row (typing into one field) become one.
    void Begin(const std::string& text, int nMergeKey = CElementCommit::kNoMerge);
    // Closes the edit opened last; the outermost close records it. True when it
    // recorded a change.
    bool End();
    // Takes back what the open edit changed and drops it (a gesture cancelled).
    void Cancel();
    // Where a diagram reports what the edit under way touches. Without an open edit one
    // is opened, named as NameEdit said, and the next Checkpoint closes it; while
    // simulating nothing is recorded.
    CEditRecorder& Recorder(int nDiagram);
    // The name of an edit opened by the first report.
    void NameEdit(const std::string& text) { m_strPending = text; }
    // Closes an edit opened by a report (or by Begin), named text when it has no name
    // of its own yet. False when nothing changed.
    bool Checkpoint(const std::string& text, int nMergeKey = CElementCommit::kNoMerge);
    bool Checkpoint(int nMergeKey = CElementCommit::kNoMerge);

    bool CanUndo() const;
    bool CanRedo() const;
    std::string UndoText() const { return m_stack.UndoText(); }
    std::string RedoText() const { return m_stack.RedoText(); }
    // An edit under way is recorded first, so that Undo takes it back.
    void Undo();
    void Redo();
    // The same told a progress, for an edit of many parts: false, with the document
    // as it was, when the progress cancels.
    bool Undo(const WorkProgress& progress);
    bool Redo(const WorkProgress& progress);
    const CUndoStack& Stack() const { return m_stack; }

private:
    void Open(const std::string& text, int nMergeKey);
    // Records the open edit; text (when not empty) names it.
    bool CloseOpen(const std::string& text, int nMergeKey);
    void FollowClean();

    CEditHost& m_doc;
    CUndoStack m_stack;
    std::unique_ptr<CElementCommit> m_pOpen;
    // The open edit was opened by a report, not by Begin: its name may still come.
    bool m_bImplicit = false;
    int m_nDepth = 0;
    // The document's revision where the history last stood still: a Rebase that finds
    // it elsewhere knows something that is no edit changed the document.
    unsigned long long m_nRevision = 0;
    std::string m_strPending;
};
