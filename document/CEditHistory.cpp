#include "document/CEditHistory.h"

#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"

#include <memory>

void CEditHistory::SetBase(CSnapshotCommand::Bytes bytes) {
    m_base = std::move(bytes);
    m_nBaseRevision = m_doc.Revision();
}

void CEditHistory::Reset() {
    m_stack.Clear();
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
    SetBase(CDocumentFile::Store(m_doc));
}

bool CEditHistory::Checkpoint(const std::string& text, int nMergeKey) {
    if (m_doc.m_bSimulation)
        return false;
    CSnapshotCommand::Bytes now = CDocumentFile::Store(m_doc);
    if (now == m_base)
        return false;
    m_stack.Push(std::make_unique<CSnapshotCommand>(
        text, nMergeKey, m_base, now,
        [this](const CSnapshotCommand::Bytes& bytes) { Restore(bytes); }));
    m_base = std::move(now);
    FollowClean();
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

void CEditHistory::Restore(const CSnapshotCommand::Bytes& bytes) {
    m_doc.RestoreSnapshot(bytes);
    m_base = bytes;
}

void CEditHistory::FollowClean() {
    m_doc.SetModifiedFlag(!m_stack.IsClean());
}
