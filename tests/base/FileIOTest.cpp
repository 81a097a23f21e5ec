#include "base/FileIO.h"
#include "base/XmlText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void ReadFifo(const std::string& path, std::string& into) {
    std::ifstream in(path, std::ios::binary);
    into.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

class FileIOTest : public ::testing::Test {
protected:
    TempFolder folder{"zerin-fileio"};
    const fs::path& dir = folder.Folder();
};

TEST_F(FileIOTest, WriteReplacesTheFileAndLeavesNoTemporaryBehind) {
    std::string path = (dir / "a.txt").string();
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ASSERT_TRUE(WriteFileAtomically(path, std::string("se\0cond", 7)));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("se\0cond", 7));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    // A bare name is a file of the working folder, its temporary file beside it.
    const fs::path cwd = fs::current_path();
    fs::current_path(dir);
    const CFileResult bare = WriteFileAtomically("b.txt", "bare");
    fs::current_path(cwd);
    EXPECT_TRUE(bare.ok) << bare.error;
    EXPECT_TRUE(fs::exists(dir / "b.txt"));
}

TEST_F(FileIOTest, FailuresGiveTheReasonAndKeepTheOldFile) {
    CFileResult r = WriteFileAtomically((dir / "missing" / "a.txt").string(), "x");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("No such file or directory"), std::string::npos) << r.error;

    fs::create_directories(dir / "sub");
    r = WriteFileAtomically((dir / "sub").string(), "x");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(fs::is_directory(dir / "sub"));

    std::string bytes = "untouched";
    r = ReadWholeFile((dir / "none.zrn").string(), bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(r.error.rfind("Cannot read ", 0), 0u);
}

TEST_F(FileIOTest, XmlIsEscapedAndStoredInWindows1250) {
    EXPECT_EQ(XmlText::Escape("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d'");
    EXPECT_EQ(XmlText::Escape(std::string("\x01\tline\r\n\x1f\0\xC2\x98\xC2\xA0", 14)),
              "?\tline\r\n???\xC2\xA0");
    std::string path = (dir / "x.xml").string();
    ASSERT_TRUE(XmlText::Save(path, std::string(XmlText::kDeclaration) + "<a>č日</a>\n"));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<a>\xE8?</a>\n");
}

// Only regular files are read, and none larger than 1 GiB: a FIFO nobody writes to, a
// device that never ends and a directory are refused at once, with the reason.
TEST_F(FileIOTest, InputsThatAreNoRegularFilesAreRefusedAtOnce) {
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Sparse: a size, no data.
    const std::string big = (dir / "big.zrn").string();
    std::ofstream(big).close();
    fs::resize_file(big, (std::uintmax_t(1) << 30) + 1);
    for (auto [path, reason] : {std::pair<std::string, std::string>{fifo, "Not a regular file"},
                                {"/dev/zero", "Not a regular file"},
                                {dir.string(), "Is a directory"},
                                {big, "Larger than 1 GiB"}}) {
        std::string bytes;
        const CFileResult r = ReadWholeFile(path, bytes);
        EXPECT_FALSE(r.ok) << path;
        EXPECT_EQ(r.reason, reason) << path;
    }
}

// A save through a symbolic link writes the link's target and keeps the link and the
// target's permissions, a hard-linked file keeps all its names, and a FIFO is written as
// it is, never replaced by a file.
TEST_F(FileIOTest, LinksAndFifosKeepWhatTheyAre) {
    const fs::path target = dir / "net.zrn", link = dir / "link.zrn";
    ASSERT_TRUE(WriteFileAtomically(target.string(), "old"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("net.zrn", link);
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(target.string(), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    // Both names of a hard-linked file see the new bytes.
    fs::create_hard_link(target, dir / "other-name.zrn");
    ASSERT_TRUE(WriteFileAtomically(target.string(), "newer"));
    ASSERT_TRUE(ReadWholeFile((dir / "other-name.zrn").string(), bytes));
    EXPECT_EQ(bytes, "newer");
    EXPECT_EQ(fs::hard_link_count(target), 2u);

    const std::string fifo = (dir / "out.fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { ReadFifo(fifo, received); });
    EXPECT_TRUE(WriteFileAtomically(fifo, "through the pipe"));
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A save that fails half way (a file size limit, as a full disk) leaves the old file as
// it was and nothing beside it.
TEST_F(FileIOTest, AFailedSaveKeepsTheOldFileWhole) {
    const std::string path = (dir / "net.zrn").string();
    ASSERT_TRUE(WriteFileAtomically(path, "the old bytes"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const CFileResult r = WriteFileAtomically(path, std::string(100000, 'x'));
        ::_exit(!r.ok && r.reason == std::strerror(EFBIG) ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "the old bytes");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
