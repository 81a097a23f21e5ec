#include "FileIO.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No document comes near this; a larger input is refused before it is read.
constexpr off_t kMaxReadBytes = off_t(1) << 30;
constexpr const char* kTooLarge = "Larger than 1 GiB";

CFileResult Fail(const char* verb, const std::string& path, const std::string& reason) {
    return CFileResult::Failure(std::string("Cannot ") + verb + " " + path + ": " + reason, reason);
}

CFileResult Fail(const char* verb, const std::string& path, int err) {
    return Fail(verb, path, std::strerror(err));
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A device or a FIFO (/dev/stdout, a pipe) is written as it is: renaming over it would
// put a regular file in its place.
CFileResult WriteDirectly(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Fail("write", path, errno);
    const bool written = WriteAll(fd, bytes);
    const int err = errno;
    ::close(fd);
    return written ? CFileResult::Success() : Fail("write", path, err);
}

// The file a save replaces: a symbolic link's target, so that the link stays a link.
std::string ReplacedFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    // A link to a file still to be made: its target, read relative to the link.
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return path;
    target[n] = '\0';
    return target[0] == '/' ? std::string(target) : FolderOf(path) + "/" + target;
}

// A file in the folder with no name, where the file system allows it, so that a save
// killed half way leaves nothing behind; else a hidden one of our naming.
int OpenTemporary(const std::string& folder, std::string& name) {
#ifdef O_TMPFILE
    // It gets its name through /proc, so only where that is there.
    int fd = ::access("/proc/self/fd", F_OK) == 0
                 ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
                 : -1;
    if (fd >= 0) {
        name.clear();
        return fd;
    }
#endif
    name = folder + "/.zerin-XXXXXX";
    return ::mkstemp(name.data());
}

// Gives the unnamed temporary a name beside the target, for the rename.
bool NameTemporary(int fd, const std::string& folder, std::string& name) {
    if (!name.empty())
        return true;
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.zerin-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// A file with several names keeps them all: the complete temporary's bytes are written
// over it in place. Should that fail, the temporary takes the name, so the new content
// is never lost (the names are then split).
bool OverwriteInPlace(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                    ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

CFileResult WriteFileAtomically(const std::string& requested, std::string_view bytes) {
    if (requested.empty())
        return CFileResult::Failure("Cannot write a file without a name");
    struct stat st {};
    if (::stat(requested.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Fail("write", requested, EISDIR);
        if (!S_ISREG(st.st_mode))
            return WriteDirectly(requested, bytes);
    }
    const std::string path = ReplacedFile(requested);
    const std::string folder = FolderOf(path);

    std::string temp;
    int fd = OpenTemporary(folder, temp);
    if (fd < 0)
        return Fail("write", requested, errno);
    // Keep the target's permissions, or give a new file the usual ones.
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);

    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0 || !NameTemporary(fd, folder, temp)) {
        int err = errno;
        ::close(fd);
        if (!temp.empty())
            ::unlink(temp.c_str());
        return Fail("write", requested, err);
    }
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Fail("write", requested, err);
    }
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1 &&
        OverwriteInPlace(path, bytes)) {
        ::unlink(temp.c_str());
        return CFileResult::Success();
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Fail("write", requested, err);
    }
    return CFileResult::Success();
}

CFileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Without blocking: a FIFO nobody writes to must not hang the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Fail("read", path, errno);
    struct stat st {};
    std::string refusal;
    if (::fstat(fd, &st) != 0)
        refusal = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        refusal = std::strerror(EISDIR);
    else if (!S_ISREG(st.st_mode))
        refusal = "Not a regular file";
    else if (st.st_size > kMaxReadBytes)
        refusal = kTooLarge;
    if (!refusal.empty()) {
        ::close(fd);
        return Fail("read", path, refusal);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            return Fail("read", path, err);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<off_t>(bytes.size()) > kMaxReadBytes) {
            ::close(fd);
            bytes.clear();
            return Fail("read", path, kTooLarge);
        }
    }
    ::close(fd);
    return CFileResult::Success();
}
