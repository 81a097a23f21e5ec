// The recovery file: a document written aside comes back byte for byte, titled as it
// was and unsaved, on random nets with and without their case graph; the file follows
// the document (written after an edit, gone after a save or an orderly end) and never
// touches the user's file; a program killed leaves its file to the next one, two
// programs never hold one file; a damaged file is refused with its name and the
// document stays as it was.

#include "DocFixture.h"

#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"
#include "document/CRecoveryFile.h"
#include "document/CRecoveryKeeper.h"
#include "model/CPNLabel.h"
#include "support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using EUpdate = CRecoveryKeeper::EUpdate;

struct Recovery : DocFixture {
    TempFolder temp{"recovery"};
    std::string folder = temp.Path("recovery");

    std::unique_ptr<CRecoveryFile> NewFile() {
        std::string error;
        auto file = CRecoveryFile::Create(folder, error);
        EXPECT_TRUE(file) << error;
        return file;
    }
    void Rename(CPNElement* label, const std::string& text) {
        auto* l = static_cast<CPNLabel*>(label);
        doc.History().Begin("Rename");
        doc.ChangeElement(l, [&] { l->m_strText = text; });
        doc.SetModifiedFlag();
        doc.History().End();
    }
    CPNLabel* AnyLabel() {
        for (CPNElement* e : doc.NetDesign().m_listElements)
            if (auto* l = dynamic_cast<CPNLabel*>(e))
                return l;
        return nullptr;
    }
};

TEST_F(Recovery, ADocumentComesBackByteForByteTitledAsItWasAndUnsaved) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(seed);
        doc.NewDocument();
        BuildRandomNet(NetOf(doc), gen, 4 + static_cast<int>(seed % 5),
                       3 + static_cast<int>(seed % 4));
        doc.SetNetModified();
        // Half of them with a case graph computed and a run recorded.
        if (seed % 2 == 0) {
            doc.Simulation().Enter();
            for (int i = 0; i < 3 && doc.Simulation().ChooseAutomaticStep(1); ++i)
                CAutomaticRun::ExecuteStepWithoutAnimation(doc);
            doc.Simulation().Leave();
        }
        const std::string user = temp.Path("net" + std::to_string(seed) + ".zrn");
        if (seed % 3 != 0) {
            ASSERT_TRUE(doc.OnSaveDocument(user));
        }
        if (CPNLabel* label = AnyLabel())
            Rename(label, "renamed" + std::to_string(seed));
        doc.SetModifiedFlag();
        const Bytes before = CDocumentFile::Store(doc);
        const std::string userBytes = TempFolder::Read(user);

        CRecoveryKeeper keeper(doc, NewFile());
        ASSERT_EQ(keeper.Update(1700000000 + seed), EUpdate::Written) << keeper.Error();
        EXPECT_NE(keeper.File().Path(), user);
        EXPECT_EQ(std::filesystem::path(keeper.File().Path()).parent_path(), folder);
        EXPECT_EQ(TempFolder::Read(user), userBytes) << "the user's own file stays as it was";

        CRecoveryFile::Header header;
        ASSERT_TRUE(keeper.File().ReadHeader(header));
        EXPECT_EQ(header.path, doc.GetPathName());
        EXPECT_EQ(header.title, doc.GetTitle());
        EXPECT_EQ(header.time, 1700000000 + static_cast<std::int64_t>(seed));

        RecordingFrame otherFrame;
        CZerinDoc recovered(otherFrame);
        ASSERT_TRUE(keeper.File().Recover(recovered));
        EXPECT_EQ(CDocumentFile::Store(recovered), before);
        EXPECT_EQ(recovered.GetTitle(), doc.GetTitle());
        EXPECT_EQ(recovered.GetPathName(), doc.GetPathName());
        EXPECT_TRUE(recovered.IsModified()) << "nothing recovered is saved yet";
        EXPECT_FALSE(recovered.History().CanUndo());
        keeper.Close();
    }
}

// What the keeper does as the document goes through a user's session, step by step.
TEST_F(Recovery, TheFileFollowsTheDocumentAndAnOrderlyEndTakesItAlong) {
    net.Condition("b1", true);
    const std::string user = temp.Path("user.zrn");
    ASSERT_TRUE(doc.OnSaveDocument(user));
    CRecoveryKeeper keeper(doc, NewFile());
    const std::string path = keeper.File().Path();
    const struct {
        const char* step;
        std::function<void()> act;
        EUpdate expected;
        bool exists;
    } steps[] = {
        {"saved, nothing edited", [] {}, EUpdate::Unchanged, false},
        {"an edit", [&] { Rename(AnyLabel(), "x"); }, EUpdate::Written, true},
        {"no edit since", [] {}, EUpdate::Unchanged, true},
        {"another edit", [&] { Rename(AnyLabel(), "y"); }, EUpdate::Written, true},
        {"saved", [&] { ASSERT_TRUE(doc.OnSaveDocument(user)); }, EUpdate::Removed, false},
        {"an edit after the save", [&] { Rename(AnyLabel(), "z"); }, EUpdate::Written, true},
        {"undone back to the saved state", [&] { doc.History().Undo(); }, EUpdate::Removed, false},
        {"redone", [&] { doc.History().Redo(); }, EUpdate::Written, true},
    };
    std::int64_t time = 1700000000;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_EQ(keeper.Update(++time), s.expected);
        EXPECT_EQ(std::filesystem::exists(path), s.exists);
        EXPECT_FALSE(keeper.IsBehind());
    }
    keeper.Close();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
    EXPECT_TRUE(CRecoveryFile::ClaimLeftOver(folder).empty());
}

// Written by a child that holds the document as it was at the call, the file has what
// the document had then, while the document goes on: an edit made meanwhile is what
// the file lacks afterwards, and the next write takes it.
TEST_F(Recovery, AFileWrittenApartHoldsTheDocumentAsItWasAtTheCall) {
    net.Condition("b1", true);
    net.Condition("b2");
    doc.SetModifiedFlag();
    CRecoveryKeeper keeper(doc, NewFile());
    const Bytes atCall = CDocumentFile::Store(doc);
    ASSERT_EQ(keeper.UpdateApart(1700000000), EUpdate::Started);
    EXPECT_EQ(keeper.UpdateApart(1700000001), EUpdate::Unchanged) << "one write at a time";
    Rename(AnyLabel(), "meanwhile");
    ASSERT_TRUE(keeper.Finish(true));
    EXPECT_EQ(keeper.LastResult(), EUpdate::Written) << keeper.Error();
    RecordingFrame otherFrame;
    CZerinDoc recovered(otherFrame);
    ASSERT_TRUE(keeper.File().Recover(recovered));
    EXPECT_EQ(CDocumentFile::Store(recovered), atCall);
    EXPECT_TRUE(keeper.IsBehind()) << "the edit made meanwhile";
    EXPECT_EQ(keeper.UpdateApart(1700000002), EUpdate::Started);
    // Saved while a write is under way: the write is ended and the file goes.
    ASSERT_TRUE(doc.OnSaveDocument(temp.Path("saved.zrn")));
    keeper.Discard();
    EXPECT_TRUE(keeper.Finish());
    EXPECT_FALSE(keeper.File().Exists());
    EXPECT_EQ(keeper.UpdateApart(1700000003), EUpdate::Unchanged);
    keeper.Close();
}

// A program killed in the middle of its work leaves its file; the next program to start
// claims it, and no other program can while it holds it. A living program's file is
// nobody else's.
TEST_F(Recovery, AKilledProgramLeavesItsFileToOneOtherProgram) {
    net.Condition("b1", true);
    doc.SetModifiedFlag();
    const Bytes written = CDocumentFile::Store(doc);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        auto file = CRecoveryFile::Create(folder, error);
        if (!file || !file->Write(doc, 1700000000))
            ::_exit(3);
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    CRecoveryKeeper living(doc, NewFile());
    ASSERT_EQ(living.Update(1700000001), EUpdate::Written);

    auto claimed = CRecoveryFile::ClaimLeftOver(folder);
    ASSERT_EQ(claimed.size(), 1u) << "only the killed program's file";
    EXPECT_NE(claimed[0]->Path(), living.File().Path());
    EXPECT_TRUE(CRecoveryFile::ClaimLeftOver(folder).empty()) << "claimed once";

    RecordingFrame otherFrame;
    CZerinDoc recovered(otherFrame);
    ASSERT_TRUE(claimed[0]->Recover(recovered));
    EXPECT_EQ(CDocumentFile::Store(recovered), written);

    // "Later": let go, it is offered again; recovered or discarded, it is gone.
    const std::string path = claimed[0]->Path();
    claimed[0]->Release();
    claimed = CRecoveryFile::ClaimLeftOver(folder);
    ASSERT_EQ(claimed.size(), 1u);
    claimed[0]->Remove();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(CRecoveryFile::ClaimLeftOver(folder).empty());
    living.Close();
}

TEST_F(Recovery, ADamagedFileIsRefusedWithItsNameAndTheDocumentStays) {
    net.Condition("kept", true);
    doc.SetModifiedFlag();
    CRecoveryKeeper keeper(doc, NewFile());
    ASSERT_EQ(keeper.Update(1700000000), EUpdate::Written);
    const std::string path = keeper.File().Path();
    const std::string whole = TempFolder::Read(path);
    const std::size_t body = whole.find("\n\n") + 2;
    const struct {
        const char* what;
        std::string text;
        const char* reason;
    } cases[] = {
        {"cut short", whole.substr(0, whole.size() - 7), "cut short"},
        {"cut in the header", whole.substr(0, 30), "cut short"},
        {"another file", "PK\x03\x04 something else", "no recovery file"},
        {"a damaged size", "Zerin recovery file 1\nsize=x\n\n", "damaged"},
        {"a damaged document", whole.substr(0, body) + std::string(whole.size() - body, 'x'),
         "Unexpected file format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        RecordingFrame otherFrame;
        CZerinDoc target(otherFrame);
        NetBuilder(NetOf(target)).Condition("mine", true);
        const Bytes before = CDocumentFile::Store(target);
        const CFileResult result = keeper.File().Recover(target);
        ASSERT_FALSE(result);
        EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
        EXPECT_EQ(CDocumentFile::Store(target), before);
    }
    keeper.Close();
}

} // namespace
