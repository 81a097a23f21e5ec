#include "base/FileIO.h"
#include "base/XmlText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

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
    std::string path = (dir / "x.xml").string();
    ASSERT_TRUE(XmlText::Save(path, std::string(XmlText::kDeclaration) + "<a>č日</a>\n"));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<a>\xE8?</a>\n");
}
