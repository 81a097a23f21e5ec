// The window keeps its unsaved document aside and offers it at the next start: a window
// that goes without closing (a crash, a kill) leaves its file, the next one offers it
// with its name and time, and Recover gives the document back as it was, unsaved;
// Discard takes the file away, Later keeps it for the start after; a save and an
// orderly close leave nothing behind.

#include "FrameFixture.h"

#include "app/dialogs/CDlgRecover.h"
#include "app/frame/CRecoveryService.h"
#include "document/CDocumentFile.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "support/DocAccess.h"
#include "support/NetFamilies.h"

#include <QDir>

namespace {

class RecoveryService : public FrameFixture {
protected:
    QStringList Files() const {
        return QDir(CRecoveryService::Folder())
            .entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    // A window that edited its document and kept it aside, then went without closing.
    std::vector<std::uint8_t> EditAndVanish() {
        Doc().BuildNet([](CNetDesign& net) { BuildDiningPhilosophers(net, 2); });
        Doc().SetModifiedFlag();
        Frame().GetRecovery().Update(true);
        const std::vector<std::uint8_t> bytes = CDocumentFile::Store(Doc());
        m_pFrame.reset();
        m_pFrame = std::make_unique<CMainFrame>();
        m_pFrame->SetPrompt(&m_prompt);
        return bytes;
    }
    void Answer(int choice) {
        m_prompt.dialogAnswer = [this, choice](QDialog& dialog) {
            if (auto* pOffer = dynamic_cast<CDlgRecover*>(&dialog))
                offers.append(pOffer->GetText());
            return choice;
        };
    }
    QStringList offers;
};

TEST_F(RecoveryService, AWindowThatVanishedIsRecoveredAsItWasUnsaved) {
    EXPECT_TRUE(Files().isEmpty()) << "nothing unsaved, nothing kept";
    const std::vector<std::uint8_t> bytes = EditAndVanish();
    ASSERT_EQ(Files().size(), 1);
    Answer(CDlgRecover::CHOICE_RECOVER);
    ASSERT_TRUE(Frame().GetRecovery().OfferLeftOver());
    ASSERT_EQ(offers.size(), 1);
    EXPECT_TRUE(offers[0].contains(QStringLiteral("\"Untitled\" (never saved)")))
        << offers[0].toStdString();
    EXPECT_EQ(CDocumentFile::Store(Doc()), bytes);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    // The recovered document is kept aside again, in this window's own file only.
    EXPECT_EQ(Files().size(), 1);
    EXPECT_FALSE(Frame().GetRecovery().OfferLeftOver()) << "this window's own file is not offered";
}

TEST_F(RecoveryService, LaterKeepsTheFileForTheNextStartAndDiscardTakesItAway) {
    EditAndVanish();
    Answer(CDlgRecover::CHOICE_LATER);
    EXPECT_FALSE(Frame().GetRecovery().OfferLeftOver());
    EXPECT_EQ(Files().size(), 1);
    EXPECT_FALSE(Doc().IsModified()) << "the window's own document stays";
    Answer(CDlgRecover::CHOICE_DISCARD);
    EXPECT_FALSE(Frame().GetRecovery().OfferLeftOver());
    EXPECT_EQ(offers.size(), 2) << "offered again, then discarded";
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(RecoveryService, ASaveAndAnOrderlyCloseLeaveNothingBehind) {
    Doc().BuildNet([](CNetDesign& net) { BuildDiningPhilosophers(net, 2); });
    Doc().SetModifiedFlag();
    Frame().GetRecovery().Update(true);
    EXPECT_EQ(Files().size(), 1);
    m_prompt.savePath = Scratch("saved.zrn");
    Doc().SetModifiedFlag();
    ASSERT_TRUE(Frame().OnFileSaveAs());
    EXPECT_TRUE(Files().isEmpty()) << "saved";
    Doc().SetModifiedFlag();
    Frame().GetRecovery().Update(true);
    EXPECT_EQ(Files().size(), 1);
    m_prompt.answer = QMessageBox::No;
    EXPECT_TRUE(Frame().close());
    EXPECT_TRUE(Files().isEmpty()) << "closed in order";
    EXPECT_TRUE(QDir(CRecoveryService::Folder()).entryList(QDir::Files).isEmpty())
        << "its lock goes too";
}

} // namespace
