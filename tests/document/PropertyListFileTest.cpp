// The property list's companion file: its text read back to the same lines, the files
// it refuses and what their messages say, and how the document carries it: the .zrn
// bytes of a document without properties unchanged, Save As taking the list along, a
// companion removed only when the user emptied the list, a refused one kept aside.

#include "FixtureDocuments.h"

#include "document/CPropertyList.h"
#include "document/CPropertyListFile.h"
#include "document/CZerinDoc.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;
using EKind = CPropertyList::EKind;
using Lines = std::vector<CPropertyList::Line>;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The kinds and texts, serial numbers left out.
std::vector<std::pair<EKind, std::string>> Contents(const Lines& lines) {
    std::vector<std::pair<EKind, std::string>> contents;
    for (const CPropertyList::Line& line : lines)
        contents.emplace_back(line.kind, line.text);
    return contents;
}

} // namespace

TEST(PropertyListFileTest, TextsReadBackToTheSameLines) {
    const std::vector<Lines> lists = {
        {},
        {{0, EKind::Examination, "ReachabilityDeadlock"}},
        {{0, EKind::Formula, "EF (eat_0 & eat_2)"},
         {0, EKind::Formula, "AG !\"a name # with blanks\""},
         {0, EKind::Examination, "OneSafe"},
         {0, EKind::Formula, "#(a, b) <= 1 -> A G F fireable(t)"},
         {0, EKind::Formula, "EF \"gr\xC3\xBC\xC3\x9F\""}},
    };
    for (const Lines& lines : lists) {
        Lines read;
        std::string fault;
        ASSERT_TRUE(
            CPropertyListFile::Parse(CPropertyListFile::Text(lines, "net.zrn"), read, fault))
            << fault;
        EXPECT_EQ(Contents(read), Contents(lines));
    }
    // What people write by hand: blank lines, comments, a byte order mark, CR LF, blanks
    // around the words.
    Lines read;
    std::string fault;
    ASSERT_TRUE(CPropertyListFile::Parse("\xEF\xBB\xBF# mine\r\n\r\nzerin-properties 1\r\n"
                                         "  formula   EF a  \r\n# a comment\nexamination Liveness",
                                         read, fault))
        << fault;
    EXPECT_EQ(Contents(read), (std::vector<std::pair<EKind, std::string>>{
                                  {EKind::Formula, "EF a"}, {EKind::Examination, "Liveness"}}));
}

TEST(PropertyListFileTest, RefusedTextsSayWhy) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "not a property list of Zerin (it is empty)"},
        {"# only a comment\n", "not a property list of Zerin (it is empty)"},
        {"formula EF a\n", "not a property list of Zerin (it does not begin with "
                           "\"zerin-properties\")"},
        {"zerin-propertiesX 1\n", "not a property list of Zerin (it does not begin with "
                                  "\"zerin-properties\")"},
        {"zerin-properties 2\nformula EF a\n",
         "written by a newer version of Zerin (format 2; this version reads format 1)"},
        {"zerin-properties 99999999999\n", "line 1: the format '99999999999' is no number"},
        {"zerin-properties one\n", "line 1: the format 'one' is no number"},
        {"zerin-properties 0\n", "line 1: the format '0' is no number"},
        {"zerin-properties 1\nformula EF a\nquery EF b\n",
         "line 3: 'query' is neither formula nor examination"},
        {"zerin-properties 1\n\nformula\n", "line 3: the formula is missing"},
        {"zerin-properties 1\nexamination   \n", "line 2: the examination is missing"},
        {std::string("zerin-properties 1\nformula EF a\0b\n", 32),
         "not a property list of Zerin (it holds binary data)"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        Lines read;
        std::string fault;
        EXPECT_FALSE(CPropertyListFile::Parse(text, read, fault));
        EXPECT_EQ(fault, expected);
    }
}

TEST(PropertyListFileTest, TheListKeepsItsLinesBySerialAndSaysWhenItChanged) {
    CPropertyList list;
    const std::uint64_t a = list.Add(EKind::Formula, "EF a\nor b");
    const std::uint64_t b = list.Add(EKind::Examination, "OneSafe");
    EXPECT_NE(a, b);
    EXPECT_EQ(list.Find(a)->text, "EF a or b");
    EXPECT_TRUE(list.IsModified());
    list.MarkSaved();
    EXPECT_FALSE(list.IsModified());
    EXPECT_FALSE(list.Replace(a, "EF a or b"));
    EXPECT_FALSE(list.IsModified());
    EXPECT_TRUE(list.Replace(a, "EF c"));
    EXPECT_FALSE(list.Move(a, -1));
    EXPECT_TRUE(list.Move(a, 1));
    EXPECT_EQ(list.Lines().front().serial, b);
    EXPECT_FALSE(list.Move(a, 1));
    EXPECT_FALSE(list.Remove(99));
    EXPECT_TRUE(list.Remove(a) && list.Remove(b));
    EXPECT_TRUE(list.WasEmptied());
    list.Reset();
    EXPECT_FALSE(list.WasEmptied() || list.IsModified());
}

TEST(PropertyListFileTest, TheDocumentCarriesItsListInTheCompanion) {
    TempFolder folder{"zerin-properties"};
    const std::string first = folder.Path("net.zrn");
    const std::string second = folder.Path("copy.zrn");
    FixtureDocument f;
    BuildFixture("net", *f.doc);
    // Without properties the file is the document's alone, byte for byte.
    ASSERT_TRUE(f.doc->OnSaveDocument(first));
    EXPECT_FALSE(fs::exists(CPropertyListFile::CompanionOf(first)));
    EXPECT_EQ(ReadBytes(first), FixtureBytes("net"));

    f.doc->PropertyList().Add(EKind::Formula, "EF b2");
    f.doc->PropertyList().Add(EKind::Examination, "ReachabilityDeadlock");
    EXPECT_TRUE(f.doc->IsModified());
    ASSERT_TRUE(f.doc->OnSaveDocument(first));
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_EQ(ReadBytes(first), FixtureBytes("net"));
    EXPECT_EQ(TempFolder::Read(CPropertyListFile::CompanionOf(first)),
              "zerin-properties 1\n"
              "# The properties of net.zrn, one a line: formula TEXT or examination NAME.\n"
              "formula EF b2\n"
              "examination ReachabilityDeadlock\n");
    // Save As takes it along; the old one stays with the old document.
    ASSERT_TRUE(f.doc->OnSaveDocument(second));
    EXPECT_TRUE(fs::exists(CPropertyListFile::CompanionOf(first)));
    FixtureDocument g;
    ASSERT_TRUE(g.doc->OnOpenDocument(second));
    EXPECT_EQ(Contents(g.doc->PropertyList().Lines()), Contents(f.doc->PropertyList().Lines()));
    EXPECT_FALSE(g.doc->IsModified());
    // A new document starts without any.
    g.doc->NewDocument();
    EXPECT_TRUE(g.doc->PropertyList().IsEmpty());
    // Emptied by the user, the companion goes at the next save.
    ASSERT_TRUE(g.doc->OnOpenDocument(second));
    while (!g.doc->PropertyList().IsEmpty())
        g.doc->PropertyList().Remove(g.doc->PropertyList().Lines().front().serial);
    EXPECT_TRUE(g.doc->IsModified());
    ASSERT_TRUE(g.doc->OnSaveDocument(second));
    EXPECT_FALSE(fs::exists(CPropertyListFile::CompanionOf(second)));
    // A document that never had properties leaves a companion there alone.
    FixtureDocument h;
    BuildFixture("net", *h.doc);
    ASSERT_TRUE(h.doc->OnSaveDocument(first));
    EXPECT_TRUE(fs::exists(CPropertyListFile::CompanionOf(first)));
}

TEST(PropertyListFileTest, ACompanionThatCannotBeTakenLeavesTheDocumentOpenAndIsKept) {
    TempFolder folder{"zerin-properties-refused"};
    const std::string path = folder.Path("net.zrn");
    const std::string companion = CPropertyListFile::CompanionOf(path);
    FixtureDocument f;
    BuildFixture("net", *f.doc);
    ASSERT_TRUE(f.doc->OnSaveDocument(path));
    struct Case {
        std::string name;
        std::function<void()> make;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"newer", [&] { WriteText(companion, "zerin-properties 3\nverdict EF a TRUE\n"); },
         companion + ": written by a newer version of Zerin (format 3; this version reads "
                     "format 1)"},
        {"damaged", [&] { WriteText(companion, "\x89PNG\r\n"); },
         companion + ": not a property list of Zerin (it does not begin with "
                     "\"zerin-properties\")"},
        {"unreadable",
         [&] {
             fs::remove(companion);
             fs::create_directory(companion);
         },
         "Cannot read " + companion + ": Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(companion);
        fs::remove_all(companion + ".bak");
        c.make();
        FixtureDocument g;
        g.doc->PropertyList().Add(EKind::Formula, "EF b1");
        ASSERT_TRUE(g.doc->OnOpenDocument(path));
        EXPECT_TRUE(g.doc->PropertyList().IsEmpty());
        EXPECT_EQ(g.doc->PropertyList().RefusedFile(), companion);
        EXPECT_EQ(g.doc->PropertyList().RefusedMessage(), c.message);
        EXPECT_FALSE(g.doc->IsModified());
        // Saved without properties, the refused file stays as it was.
        const std::string before = TempFolder::Read(companion);
        ASSERT_TRUE(g.doc->OnSaveDocument(path));
        EXPECT_EQ(TempFolder::Read(companion), before);
        EXPECT_TRUE(fs::exists(companion));
        if (c.name == "unreadable")
            continue;
        // With properties, it is kept aside first.
        g.doc->PropertyList().Add(EKind::Formula, "EF b1");
        ASSERT_TRUE(g.doc->OnSaveDocument(path));
        EXPECT_EQ(TempFolder::Read(companion + ".bak"), before);
        EXPECT_NE(TempFolder::Read(companion).find("formula EF b1"), std::string::npos);
        EXPECT_TRUE(g.doc->PropertyList().RefusedFile().empty());
    }
    // A directory where the companion goes: the document is saved, the list is not.
    FixtureDocument h;
    BuildFixture("net", *h.doc);
    h.doc->PropertyList().Add(EKind::Formula, "EF b1");
    const CFileResult saved = h.doc->OnSaveDocument(path);
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.error.find(companion), std::string::npos) << saved.error;
    EXPECT_TRUE(h.doc->IsModified());
    EXPECT_EQ(h.doc->GetPathName(), path);
}
