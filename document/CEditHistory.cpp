#include "document/CEditHistory.h"

#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"

#include <memory>

void CEditHistory::SetBase(CSnapshotCommand::Bytes bytes) {
    m_base = std::make_shared<const CSnapshotCommand::Bytes>(std::move(bytes));
    m_nBaseRevision = m_doc.Revision();
}

void CEditHistory::Reset(bool bSaved) {
    m_stack.Clear();
    if (!bSaved)
        m_stack.ForgetClean();
    m_strPending.clear();
    SetBase(CDocumentFile::Store(m_doc));
}

void CEditHistory::MarkSaved() {
    Checkpoint();
    m_stack.SetClean();
    FollowClean();
    m_nBaseRevision = m_doc.Revision();
}

void CEditHistory::Rebase() {
    CSnapshotCommand::Bytes bytes = CDocumentFile::Store(m_doc);
    const bool bChanged = !m_base || *m_base != bytes;
    SetBase(std::move(bytes));
    if (!bChanged)
        return;
    // The document holds more than this point of the history did (a case graph, a run):
    // were it the saved point, undoing back to it would no longer reach what was saved.
    if (m_stack.IsClean())
        m_stack.ForgetClean();
    FollowClean();
}

bool CEditHistory::Checkpoint(const std::string& text, int nMergeKey) {
    if (m_doc.m_bSimulation || m_doc.Revision() == m_nBaseRevision)
        return false;
    auto now = std::make_shared<const CSnapshotCommand::Bytes>(CDocumentFile::Store(m_doc));
    if (m_base && *now == *m_base) {
        m_nBaseRevision = m_doc.Revision();
        return false;
    }
    m_stack.Push(std::make_unique<CSnapshotCommand>(
        text, nMergeKey, m_base, now,
        [this](const CSnapshotCommand::State& state) { Restore(state); }));
    m_base = std::move(now);
    FollowClean();
    m_nBaseRevision = m_doc.Revision();
    return true;
}

bool CEditHistory::Checkpoint(int nMergeKey) {
    const std::string text = m_strPending.empty() ? std::string("Edit") : m_strPending;
    m_strPending.clear();
    return Checkpoint(text, nMergeKey);
}

bool CEditHistory::CanUndo() const {
    return !m_doc.m_bSimulation && m_stack.CanUndo();
}

bool CEditHistory::CanRedo() const {
    return !m_doc.m_bSimulation && m_stack.CanRedo();
}

void CEditHistory::Undo() {
    if (m_doc.m_bSimulation)
        return;
    Checkpoint();
    if (!m_stack.CanUndo())
        return;
    m_stack.Undo();
    FollowClean();
    m_nBaseRevision = m_doc.Revision();
}

void CEditHistory::Redo() {
    if (m_doc.m_bSimulation)
        return;
    // A change made since the last undo starts a new branch instead.
    if (Checkpoint() || !m_stack.CanRedo())
        return;
    m_stack.Redo();
    FollowClean();
    m_nBaseRevision = m_doc.Revision();
}

void CEditHistory::Restore(const CSnapshotCommand::State& state) {
    m_doc.RestoreSnapshot(*state);
    m_base = state;
}

void CEditHistory::FollowClean() {
    m_doc.SetModifiedFlag(!m_stack.IsClean());
}
