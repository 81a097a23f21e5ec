#include "document/CZerinDoc.h"

#include "base/CArchive.h"
#include "document/CDocumentFile.h"
#include "document/CNullFrameServices.h"
#include "document/CPropertyListFile.h"

void CZerinDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // A file saved after an edit holds an empty case graph and occurrence net: they
        // described the net before the edit.
        if (m_record.netModified) {
            m_simulation.ForgetCaseClass(true);
            m_occurrenceNet.Reset();
        }
        CDocumentFile::WriteRecord(ar, *this);
    } else {
        CDocumentFile::ReadRecord(ar, *this);
    }
}

CFileResult CZerinDoc::OnOpenDocument(const std::string& path) {
    // A file that does not load leaves this document, its title, path, history and the
    // window's panes as they were. The file is read whole first; then either this
    // document's stored state is kept aside and comes back should the file fail (one
    // parse of the file, which for large files is what an open costs), or, while
    // simulating (which a stored state does not hold), the file is checked on a
    // document of its own first.
    std::vector<std::uint8_t> bytes;
    if (CFileResult read = CDocumentFile::Read(path, bytes); !read)
        return read;
    CFileResult result;
    if (m_simulation.IsActive()) {
        {
            CNullFrameServices nowhere;
            CZerinDoc trial(nowhere);
            if (CFileResult checked = CDocumentFile::LoadBytes(trial, bytes); !checked)
                return checked;
        }
        result = CDocumentFile::LoadBytes(*this, std::move(bytes));
    } else {
        const std::vector<std::uint8_t> kept = CDocumentFile::Store(*this);
        m_bRestoring = true;
        result = CDocumentFile::LoadBytes(*this, std::move(bytes));
        if (!result) {
            // Bytes this document stored load again.
            (void)CDocumentFile::LoadBytes(*this, kept);
            m_bRestoring = false;
            m_rFrame.DocumentReplaced();
            return result;
        }
        m_bRestoring = false;
        // What emptying the document does to the window, now that the file has loaded.
        m_rFrame.SwitchToNetDesignView();
        m_rFrame.ClearOutputBar();
    }
    if (result) {
        SetPathName(path);
        // The document opens whatever its companion holds; a refused one is said by the
        // list.
        (void)CPropertyListFile::Load(m_propertyList, path);
    } else
        // Bytes that loaded once load again; should they not, the document is empty now
        // and must not be saved over the file it failed on.
        SetPathName(std::string());
    SetModifiedFlag(false);
    m_history.Reset();
    return result;
}

CFileResult CZerinDoc::OnSaveDocument(const std::string& path) {
    if (m_record.netModified) {
        m_simulation.ForgetCaseClass(true);
        m_occurrenceNet.Reset();
    }
    CFileResult result = CDocumentFile::Save(*this, path);
    if (result) {
        SetPathName(path);
        SetModifiedFlag(false);
        m_history.MarkSaved();
        // The document is saved; a list that could not be stays modified.
        result = CPropertyListFile::Save(m_propertyList, path);
    }
    return result;
}
