#include "document/CRecoveryFile.h"

#include "base/FileIO.h"
#include "document/CDocumentFile.h"
#include "document/CNullFrameServices.h"
#include "document/CZerinDoc.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kMagic = "Zerin recovery file 1";
constexpr const char* kExtension = ".recovery";
constexpr const char* kLockExtension = ".recovery.lock";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A value on one header line: no line breaks, and the escape itself escaped.
std::string Escape(const std::string& value) {
    std::string out;
    for (const char ch : value) {
        if (ch == '%')
            out += "%25";
        else if (ch == '\n')
            out += "%0A";
        else if (ch == '\r')
            out += "%0D";
        else
            out += ch;
    }
    return out;
}

std::string Unescape(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            const std::string code = value.substr(i + 1, 2);
            if (code == "25" || code == "0A" || code == "0D") {
                out += code == "25" ? '%' : (code == "0A" ? '\n' : '\r');
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

// The lock of the path taken, without waiting: the descriptor, or -1 when another
// program holds it (or it cannot be made).
int TakeLock(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    // Another program may have cleared the lock away between the open and the lock:
    // the lock only counts while its name still leads to it.
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) != 0 || ::stat(lockPath.c_str(), &named) != 0 ||
        held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
        ::close(fd);
        return -1;
    }
    return fd;
}

CFileResult Damaged(const std::string& path, const std::string& why) {
    return CFileResult::Failure("Cannot recover " + path + ": " + why, why);
}

} // namespace

CRecoveryFile::~CRecoveryFile() {
    Release();
}

std::unique_ptr<CRecoveryFile> CRecoveryFile::Create(const std::string& folder,
                                                     std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "Cannot make the folder " + folder + ": " + ec.message();
        return nullptr;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::string stem =
        folder + "/zerin-" +
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now).count()) + "-" +
        std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path =
            stem + (attempt == 0 ? "" : "-" + std::to_string(attempt)) + kExtension;
        if (std::filesystem::exists(path, ec) || std::filesystem::exists(path + ".lock", ec))
            continue;
        const int fd = TakeLock(path + ".lock");
        if (fd >= 0)
            return std::unique_ptr<CRecoveryFile>(new CRecoveryFile(path, fd));
    }
    error = "Cannot make a recovery file in " + folder + ": " + std::strerror(errno);
    return nullptr;
}

std::vector<std::unique_ptr<CRecoveryFile>>
CRecoveryFile::ClaimLeftOver(const std::string& folder) {
    std::vector<std::unique_ptr<CRecoveryFile>> claimed;
    std::error_code ec;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().string();
        if (EndsWith(name, kExtension))
            files.push_back(name);
        else if (EndsWith(name, kLockExtension) &&
                 !std::filesystem::exists(name.substr(0, name.size() - 5), ec)) {
            // A program that never wrote its file: its lock goes once it is gone.
            if (const int fd = TakeLock(name); fd >= 0) {
                ::unlink(name.c_str());
                ::close(fd);
            }
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::string& path : files) {
        const int fd = TakeLock(path + ".lock");
        if (fd >= 0)
            claimed.push_back(std::unique_ptr<CRecoveryFile>(new CRecoveryFile(path, fd)));
    }
    std::stable_sort(claimed.begin(), claimed.end(), [](const auto& a, const auto& b) {
        Header ha, hb;
        (void)a->ReadHeader(ha);
        (void)b->ReadHeader(hb);
        return ha.time < hb.time;
    });
    return claimed;
}

bool CRecoveryFile::Exists() const {
    std::error_code ec;
    return std::filesystem::exists(m_strPath, ec);
}

std::string CRecoveryFile::Compose(const Header& header, const std::vector<std::uint8_t>& bytes) {
    std::string text = std::string(kMagic) + "\n";
    text += "path=" + Escape(header.path) + "\n";
    text += "title=" + Escape(header.title) + "\n";
    text += "time=" + std::to_string(header.time) + "\n";
    text += "size=" + std::to_string(bytes.size()) + "\n\n";
    text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text;
}

CFileResult CRecoveryFile::Write(const CZerinDoc& doc, std::int64_t time) const {
    const Header header{doc.GetPathName(), doc.GetTitle(), time};
    return WriteFileAtomically(m_strPath, Compose(header, CDocumentFile::Store(doc)));
}

CFileResult CRecoveryFile::ReadParts(Header& header, std::vector<std::uint8_t>* bytes) const {
    std::string text;
    if (CFileResult read = ReadWholeFile(m_strPath, text); !read)
        return read;
    std::size_t at = 0;
    auto line = [&](std::string& out) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            return false;
        out = text.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string magic;
    if (!line(magic) || magic != kMagic)
        return Damaged(m_strPath, "it is no recovery file of this program");
    std::size_t size = 0;
    bool sized = false;
    for (std::string entry; line(entry) && !entry.empty();) {
        const std::size_t eq = entry.find('=');
        const std::string key = entry.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : entry.substr(eq + 1);
        try {
            if (key == "path")
                header.path = Unescape(value);
            else if (key == "title")
                header.title = Unescape(value);
            else if (key == "time")
                header.time = std::stoll(value);
            else if (key == "size") {
                size = std::stoull(value);
                sized = true;
            }
        } catch (const std::exception&) {
            return Damaged(m_strPath, "its header line \"" + entry + "\" is damaged");
        }
    }
    if (!sized || text.size() - at != size)
        return Damaged(m_strPath, "it was cut short");
    if (bytes)
        bytes->assign(text.begin() + static_cast<std::ptrdiff_t>(at), text.end());
    return CFileResult::Success();
}

CFileResult CRecoveryFile::ReadHeader(Header& header) const {
    return ReadParts(header, nullptr);
}

CFileResult CRecoveryFile::Recover(CZerinDoc& doc) const {
    Header header;
    std::vector<std::uint8_t> bytes;
    if (CFileResult read = ReadParts(header, &bytes); !read)
        return read;
    {
        // Checked on a document of its own first: a document that fails to load is
        // left empty, and this one must stay as it was.
        CNullFrameServices nowhere;
        CZerinDoc trial(nowhere);
        if (CFileResult checked = CDocumentFile::LoadBytes(trial, bytes); !checked)
            return Damaged(m_strPath, checked.error);
    }
    if (CFileResult loaded = CDocumentFile::LoadBytes(doc, std::move(bytes)); !loaded)
        return Damaged(m_strPath, loaded.error);
    doc.SetPathName(header.path);
    if (header.path.empty() && !header.title.empty())
        doc.SetTitle(header.title);
    // Nothing of it is saved: the history has no saved state to come back to.
    doc.History().Reset(false);
    doc.SetModifiedFlag(true);
    return CFileResult::Success();
}

void CRecoveryFile::RemoveData() {
    ::unlink(m_strPath.c_str());
}

void CRecoveryFile::Remove() {
    ::unlink(m_strPath.c_str());
    if (m_nLockFd >= 0)
        ::unlink(LockPath().c_str());
    Release();
}

void CRecoveryFile::Release() {
    if (m_nLockFd >= 0)
        ::close(m_nLockFd);
    m_nLockFd = -1;
}
