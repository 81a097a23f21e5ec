#include "document/CRecoveryKeeper.h"

#include "document/CZerinDoc.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

CRecoveryKeeper::~CRecoveryKeeper() {
    // A write under way is ended: its file is this program's, which goes on or ends.
    if (m_nChild > 0) {
        ::kill(m_nChild, SIGKILL);
        Finish(true);
    }
}

bool CRecoveryKeeper::IsBehind() const {
    return m_doc.IsModified() && (!m_bWritten || m_nWritten != m_doc.Revision());
}

CRecoveryKeeper::EUpdate CRecoveryKeeper::UpdateApart(std::int64_t time) {
    if (!Finish())
        return EUpdate::Unchanged;
    if (!m_doc.IsModified() || !IsBehind())
        return m_eLast = Update(time);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return m_eLast = Update(time);
    const unsigned long long revision = m_doc.Revision();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return m_eLast = Update(time);
    }
    if (child == 0) {
        // The child has the document as it was at the fork, and nothing else to do.
        ::close(fds[0]);
        const CFileResult written = m_pFile->Write(m_doc, time);
        if (!written) {
            const ssize_t ignored = ::write(fds[1], written.error.data(), written.error.size());
            (void)ignored;
        }
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    m_nChild = child;
    m_nChildPipe = fds[0];
    m_nChildRevision = revision;
    return m_eLast = EUpdate::Started;
}

bool CRecoveryKeeper::Finish(bool wait) {
    if (m_nChild <= 0)
        return true;
    int status = 0;
    pid_t ended = 0;
    do
        ended = ::waitpid(m_nChild, &status, wait ? 0 : WNOHANG);
    while (ended < 0 && errno == EINTR);
    if (ended == 0)
        return false;
    std::string reason;
    char buffer[512];
    for (ssize_t n; (n = ::read(m_nChildPipe, buffer, sizeof buffer)) > 0;)
        reason.append(buffer, static_cast<std::size_t>(n));
    ::close(m_nChildPipe);
    m_nChildPipe = -1;
    m_nChild = 0;
    if (ended > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        m_strError.clear();
        m_nWritten = m_nChildRevision;
        m_bWritten = true;
        m_eLast = EUpdate::Written;
    } else {
        m_strError = reason.empty() ? "Cannot write " + m_pFile->Path() : reason;
        m_eLast = EUpdate::Failed;
    }
    return true;
}

CRecoveryKeeper::EUpdate CRecoveryKeeper::Update(std::int64_t time) {
    Finish(true);
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
    // A write under way would bring the file back.
    if (m_nChild > 0) {
        ::kill(m_nChild, SIGKILL);
        Finish(true);
    }
    // The file goes, its lock stays with this program for the next write.
    m_pFile->RemoveData();
    m_bWritten = false;
}

void CRecoveryKeeper::Close() {
    if (m_nChild > 0) {
        ::kill(m_nChild, SIGKILL);
        Finish(true);
    }
    m_pFile->Remove();
    m_bWritten = false;
}
