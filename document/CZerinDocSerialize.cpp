#include "document/CZerinDoc.h"

#include "base/CArchive.h"
#include "document/CDocumentFile.h"
#include "document/CNullFrameServices.h"

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
    // The file is read whole and checked on a document of its own first: one that does
    // not load leaves this document, its title, path and history as they were.
    std::vector<std::uint8_t> bytes;
    if (CFileResult read = CDocumentFile::Read(path, bytes); !read)
        return read;
    {
        CNullFrameServices nowhere;
        CZerinDoc trial(nowhere);
        if (CFileResult checked = CDocumentFile::LoadBytes(trial, bytes); !checked)
            return checked;
    }
    CFileResult result = CDocumentFile::LoadBytes(*this, std::move(bytes));
    if (result)
        SetPathName(path);
    else
        // Bytes that loaded once load again; should they not, the document is empty now
        // and must not be saved over the file it failed on.
        SetPathName(std::string());
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
