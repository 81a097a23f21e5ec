#pragma once

#include "base/CFileResult.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CZerinDoc;

// A recovery file: what an unsaved document holds, written aside while the program runs,
// so that a crash or a kill loses at most the time since it was last written. It is
// never the user's own file: each running program writes a file of its own naming in a
// folder of recovery files, behind a header that says which file the document was
// (its path, its title) and when it was written.
//
// Each file has a lock beside it that the program holding the file keeps for as long
// as it runs; the system lets go of it when the program ends in any way. A file whose
// lock is free was left by a program that is gone: the next one to start claims it
// (takes its lock) before it offers it, so that two programs never hold one file.
class CRecoveryFile {
public:
    // What the header says of the document.
    struct Header {
        std::string path;
        std::string title;
        // Seconds since 1970 when it was written.
        std::int64_t time = 0;
    };

    ~CRecoveryFile();
    CRecoveryFile(const CRecoveryFile&) = delete;
    CRecoveryFile& operator=(const CRecoveryFile&) = delete;

    // A new file of this program in the folder (made where it is missing), locked,
    // nothing written yet; null, with the reason, when the folder cannot take it.
    static std::unique_ptr<CRecoveryFile> Create(const std::string& folder, std::string& error);
    // The files in the folder whose programs are gone, each claimed, the oldest first.
    // Locks left without a file are cleared away.
    static std::vector<std::unique_ptr<CRecoveryFile>> ClaimLeftOver(const std::string& folder);

    const std::string& Path() const { return m_strPath; }
    bool Exists() const;

    // The document written aside, replacing what the file held; it stays whole should
    // the write fail.
    CFileResult Write(const CZerinDoc& doc, std::int64_t time) const;
    // The file's text: the header, then the document's bytes.
    static std::string Compose(const Header& header, const std::vector<std::uint8_t>& bytes);
    // The header alone, to say what the file holds.
    CFileResult ReadHeader(Header& header) const;
    // The document as written, in place of what doc holds: its title and path as the
    // header says (so that Save writes the user's file), modified, with no history. A
    // file that cannot be read or is damaged leaves doc as it was and says why, naming
    // the file.
    CFileResult Recover(CZerinDoc& doc) const;
    // What the file holds goes; its lock stays with this program, for the next write
    // (the document was saved).
    void RemoveData();
    // The file and its lock go (closed in order, recovered or discarded).
    void Remove();
    // The lock is let go and the file stays, for the next program to offer ("Later").
    void Release();

private:
    CRecoveryFile(std::string path, int lockFd) : m_strPath(std::move(path)), m_nLockFd(lockFd) {}
    CFileResult ReadParts(Header& header, std::vector<std::uint8_t>* bytes) const;
    std::string LockPath() const { return m_strPath + ".lock"; }

    std::string m_strPath;
    int m_nLockFd = -1;
};
