#include "FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CFileResult Fail(const char* verb, const std::string& path, int err) {
    return CFileResult::Failure(std::string("Cannot ") + verb + " " + path + ": " +
                                std::strerror(err));
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

} // namespace

CFileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return CFileResult::Failure("Cannot write a file without a name");
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return Fail("write", path, EISDIR);

    std::string temp = FolderOf(path) + "/.zerin-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail("write", path, errno);
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

    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail("write", path, err);
    }
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Fail("write", path, err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Fail("write", path, err);
    }
    return CFileResult::Success();
}

CFileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Fail("read", path, errno);
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return Fail("read", path, EISDIR);
    }
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool failed = std::ferror(f) != 0;
    int err = errno;
    std::fclose(f);
    if (failed)
        return Fail("read", path, err);
    return CFileResult::Success();
}
