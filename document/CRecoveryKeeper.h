#pragma once

#include "document/CRecoveryFile.h"

#include <cstdint>
#include <memory>
#include <string>

class CZerinDoc;

// Keeps a document's recovery file in step with it: written when the document has
// changes that are neither saved nor written yet, removed when it has none (saved, or
// undone back to what was saved). The program asks every so often (the interval of
// its settings) and after a save; a document closed in order takes its file along.
class CRecoveryKeeper {
public:
    CRecoveryKeeper(const CZerinDoc& doc, std::unique_ptr<CRecoveryFile> file)
        : m_doc(doc), m_pFile(std::move(file)) {}

    ~CRecoveryKeeper();
    CRecoveryKeeper(const CRecoveryKeeper&) = delete;
    CRecoveryKeeper& operator=(const CRecoveryKeeper&) = delete;

    enum class EUpdate { Unchanged, Written, Removed, Failed, Started };
    // Brings the file up to date at the time given (seconds since 1970).
    EUpdate Update(std::int64_t time);
    // The same, the file written by a child process that holds the document as it is
    // at the call (a copy the system makes cheaply), so that the program goes on at
    // once however large the document: Started, and Finish takes the child's result.
    // Unchanged while the write of an earlier call is under way.
    EUpdate UpdateApart(std::int64_t time);
    // Whether no write is under way (any that ended is taken: Written or Failed); with
    // wait, it waits for the one under way.
    bool Finish(bool wait = false);
    EUpdate LastResult() const { return m_eLast; }
    // The document has something the file lacks.
    bool IsBehind() const;
    // The document has nothing unsaved any more (saved, or replaced by another): the
    // file goes, its lock stays for the next write.
    void Discard();
    // The program ends in order: the file and its lock go.
    void Close();

    const CRecoveryFile& File() const { return *m_pFile; }
    // Why the last write failed.
    const std::string& Error() const { return m_strError; }

private:
    const CZerinDoc& m_doc;
    std::unique_ptr<CRecoveryFile> m_pFile;
    // The revision the file holds; whether it holds one at all.
    unsigned long long m_nWritten = 0;
    bool m_bWritten = false;
    std::string m_strError;
    // The child writing the file (0: none), the revision it writes, and the end of the
    // pipe its reason for a failure comes through.
    int m_nChild = 0;
    unsigned long long m_nChildRevision = 0;
    int m_nChildPipe = -1;
    EUpdate m_eLast = EUpdate::Unchanged;
};
