#include "document/CEditHistory.h"

#include "document/CEditHost.h"
#include "model/CNoEditRecorder.h"

CEditHistory::~CEditHistory() = default;

void CEditHistory::Reset(bool bSaved) {
    m_pOpen.reset();
    m_nDepth = 0;
    m_bImplicit = false;
    m_stack.Clear();
    if (!bSaved)
        m_stack.ForgetClean();
    m_strPending.clear();
    m_nRevision = m_doc.Revision();
}

void CEditHistory::MarkSaved() {
    Checkpoint();
    m_stack.SetClean();
    FollowClean();
    m_nRevision = m_doc.Revision();
}

void CEditHistory::Rebase() {
    Checkpoint();
    // An edit under way (a command that leaves simulation first) starts from here.
    if (m_pOpen)
        m_doc.BeginFields();
    const bool bChanged = m_doc.Revision() != m_nRevision;
    m_nRevision = m_doc.Revision();
    if (!bChanged)
        return;
    // The document holds more than this point of the history did (a case graph, a run):
    // were it the saved point, undoing back to it would no longer reach what was saved.
    if (m_stack.IsClean())
        m_stack.ForgetClean();
    FollowClean();
}

void CEditHistory::Open(const std::string& text, int nMergeKey) {
    m_pOpen = std::make_unique<CElementCommit>(
        text, nMergeKey, [this](int nDiagram) { return m_doc.DiagramGeneration(nDiagram); });
    m_doc.BeginFields();
}

void CEditHistory::Begin(const std::string& text, int nMergeKey) {
    if (m_nDepth++ > 0)
        return;
    // A report made before the edit began is an edit of its own.
    Checkpoint();
    m_bImplicit = false;
    Open(text, nMergeKey);
}

bool CEditHistory::End() {
    if (m_nDepth == 0 || --m_nDepth > 0)
        return false;
    return CloseOpen(std::string(), CElementCommit::kNoMerge);
}

void CEditHistory::Cancel() {
    if (!m_pOpen)
        return;
    m_doc.ClearSelectionForEdit();
    m_doc.RollbackFields();
    m_pOpen->Rollback();
    m_pOpen.reset();
    m_nDepth = 0;
    m_bImplicit = false;
    m_nRevision = m_doc.Revision();
    m_doc.EditCancelled();
}

CEditRecorder& CEditHistory::Recorder(int nDiagram) {
    if (m_doc.IsSimulating())
        return CNoEditRecorder::Instance();
    if (!m_pOpen) {
        Open(m_strPending.empty() ? std::string("Edit") : m_strPending, CElementCommit::kNoMerge);
        m_strPending.clear();
        m_bImplicit = true;
    }
    m_pOpen->SetDiagram(nDiagram);
    return *m_pOpen;
}

bool CEditHistory::CloseOpen(const std::string& text, int nMergeKey) {
    if (!m_pOpen)
        return false;
    std::unique_ptr<CElementCommit> commit = std::move(m_pOpen);
    m_bImplicit = false;
    // What changes while simulating is the token game, no edit.
    if (m_doc.IsSimulating()) {
        m_strPending.clear();
        return false;
    }
    commit->Record(m_doc.EndFields());
    // A command names what its handler changed; a gesture names itself as it goes.
    if (!text.empty())
        commit->Rename(text, nMergeKey);
    else if (!m_strPending.empty())
        commit->Rename(m_strPending, nMergeKey);
    else if (nMergeKey != CElementCommit::kNoMerge)
        commit->Rename(commit->Text(), nMergeKey);
    m_strPending.clear();
    const bool bChanged = commit->Close();
    if (bChanged) {
        m_stack.Push(std::move(commit));
        FollowClean();
    }
    m_nRevision = m_doc.Revision();
    return bChanged;
}

bool CEditHistory::Checkpoint(const std::string& text, int nMergeKey) {
    // An edit opened by Begin closes with its End.
    if (m_nDepth > 0)
        return false;
    return CloseOpen(text, nMergeKey);
}

bool CEditHistory::Checkpoint(int nMergeKey) {
    return Checkpoint(std::string(), nMergeKey);
}

bool CEditHistory::CanUndo() const {
    return !m_doc.IsSimulating() && m_stack.CanUndo();
}

bool CEditHistory::CanRedo() const {
    return !m_doc.IsSimulating() && m_stack.CanRedo();
}

void CEditHistory::Undo() {
    Undo(WorkProgress());
}

void CEditHistory::Redo() {
    Redo(WorkProgress());
}

bool CEditHistory::Undo(const WorkProgress& progress) {
    if (m_doc.IsSimulating() || m_nDepth > 0)
        return true;
    Checkpoint();
    if (!m_stack.CanUndo())
        return true;
    m_doc.ClearSelectionForEdit();
    if (!m_stack.Undo(progress))
        return false;
    m_doc.EditApplied();
    FollowClean();
    m_nRevision = m_doc.Revision();
    return true;
}

bool CEditHistory::Redo(const WorkProgress& progress) {
    if (m_doc.IsSimulating() || m_nDepth > 0)
        return true;
    // A change made since the last undo starts a new branch instead.
    if (Checkpoint() || !m_stack.CanRedo())
        return true;
    m_doc.ClearSelectionForEdit();
    if (!m_stack.Redo(progress))
        return false;
    m_doc.EditApplied();
    FollowClean();
    m_nRevision = m_doc.Revision();
    return true;
}

void CEditHistory::FollowClean() {
    m_doc.SetModifiedFlag(!m_stack.IsClean());
}
