#pragma once

#include "base/CFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchive;
class CZerinDoc;

// The document's ".zrn" file: the document record (version, grid, flags, name counters)
// followed by the net design, the case graph and the occurrence net.
//
// Loading trusts nothing: a file that is not a document, or whose objects do not fit
// together, fails with "Unexpected file format." and leaves the document empty, as after
// DeleteContents; a file that cannot be read fails with "Failed to open document.".
// Saving writes through a temporary file, so that a failed save keeps the old file.
class CDocumentFile {
public:
    static CFileResult Save(const CZerinDoc& doc, const std::string& path);
    // Empties the document (DeleteContents) and reads the file into it.
    static CFileResult Load(CZerinDoc& doc, const std::string& path);
    // The file's bytes, or "Failed to open document." with the reason it cannot be read.
    static CFileResult Read(const std::string& path, std::vector<std::uint8_t>& bytes);

    // The bytes Save writes. A document whose net was edited since its last test stores
    // an empty case graph and occurrence net (the document's own are not touched here:
    // OnSaveDocument empties them).
    static std::vector<std::uint8_t> Store(const CZerinDoc& doc);
    // Load, from bytes.
    static CFileResult LoadBytes(CZerinDoc& doc, std::vector<std::uint8_t> bytes);

    // The document record, as CZerinDoc::Serialize writes and reads it.
    static void WriteRecord(CArchive& ar, const CZerinDoc& doc);
    static void ReadRecord(CArchive& ar, CZerinDoc& doc);

private:
    // After a failed load: hands every object the archive created back to nobody,
    // deletes each exactly once, and empties the document.
    static void Discard(CZerinDoc& doc, const CArchive& ar);
};
