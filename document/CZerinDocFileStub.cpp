#include "document/CZerinDoc.h"

// Placeholders until the file format is merged in.
void CZerinDoc::Serialize(CArchive&) {}

CFileResult CZerinDoc::OnOpenDocument(const std::string&) {
    DeleteContents();
    return CFileResult::Failure("Failed to open document.");
}

CFileResult CZerinDoc::OnSaveDocument(const std::string&) {
    return CFileResult::Failure("Saving is not built yet.");
}
