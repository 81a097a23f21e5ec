#include "document/CRecoveryKeeper.h"

#include "document/CZerinDoc.h"

bool CRecoveryKeeper::IsBehind() const {
    return m_doc.IsModified() && (!m_bWritten || m_nWritten != m_doc.Revision());
}

CRecoveryKeeper::EUpdate CRecoveryKeeper::Update(std::int64_t time) {
    if (!m_doc.IsModified()) {
        if (!m_bWritten && !m_pFile->Exists())
            return EUpdate::Unchanged;
        Discard();
        return EUpdate::Removed;
    }
    if (!IsBehind())
        return EUpdate::Unchanged;
    if (CFileResult written = m_pFile->Write(m_doc, time); !written) {
        m_strError = written.error;
        return EUpdate::Failed;
    }
    m_strError.clear();
    // Read after the write: storing the document moves scratch elements, which counts
    // as a change of geometry.
    m_nWritten = m_doc.Revision();
    m_bWritten = true;
    return EUpdate::Written;
}

void CRecoveryKeeper::Discard() {
    // The file goes, its lock stays with this program for the next write.
    m_pFile->RemoveData();
    m_bWritten = false;
}

void CRecoveryKeeper::Close() {
    m_pFile->Remove();
    m_bWritten = false;
}
