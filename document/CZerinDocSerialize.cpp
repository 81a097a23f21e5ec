#include "document/CZerinDoc.h"

#include "base/CArchive.h"
#include "document/CDocumentFile.h"

void CZerinDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // A file saved after an edit holds an empty case graph and occurrence net: they
        // described the net before the edit.
        if (m_bNetModified) {
            m_caseGraph.DeleteContents(true);
            m_occurrenceNet.Reset();
        }
        CDocumentFile::WriteRecord(ar, *this);
    } else {
        CDocumentFile::ReadRecord(ar, *this);
    }
}

CFileResult CZerinDoc::OnOpenDocument(const std::string& path) {
    CFileResult result = CDocumentFile::Load(*this, path);
    if (result) {
        SetPathName(path);
    } else {
        // The document is empty now: it must not be saved over the file it failed on.
        SetPathName(std::string());
        SetTitle("Untitled");
    }
    SetModifiedFlag(false);
    m_history.Reset();
    return result;
}

CFileResult CZerinDoc::OnSaveDocument(const std::string& path) {
    if (m_bNetModified) {
        m_caseGraph.DeleteContents(true);
        m_occurrenceNet.Reset();
    }
    CFileResult result = CDocumentFile::Save(*this, path);
    if (result) {
        SetPathName(path);
        SetModifiedFlag(false);
        m_history.MarkSaved();
    }
    return result;
}
