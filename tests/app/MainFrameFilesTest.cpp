#include "FrameFixture.h"
#include "app/bars/CDlgPropertiesSimulationBar.h"
#include "app/bars/COutputBar.h"
#include "app/frame/menus/CommandMenus.h"
#include "base/OutputWriter.h"
#include "document/CDocumentFile.h"
#include "exchange/CPnmlExport.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "support/DocAccess.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <set>

namespace {

using MainFrameFiles = FrameFixture;

// A file that does not load is named with the reason and leaves the open document, its
// edits and its history as they were: the corrupt files of the loader's table, an empty
// file and a document cut short.
TEST_F(MainFrameFiles, AFileThatDoesNotLoadLeavesTheOpenDocumentAsItWas) {
    const QDir dir(Data("corrupt"));
    QStringList files;
    for (const QString& strName : dir.entryList({QStringLiteral("*.zrn")}, QDir::Files))
        files.append(dir.filePath(strName));
    ASSERT_FALSE(files.isEmpty());
    QFile empty(Scratch("empty.zrn"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    files.append(Scratch("empty.zrn"));
    QFile valid(Data("valid/occurrence.zrn"));
    ASSERT_TRUE(valid.open(QIODevice::ReadOnly));
    QFile cut(Scratch("cut.zrn"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(valid.readAll().chopped(9));
    cut.close();
    files.append(Scratch("cut.zrn"));

    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    Doc().History().Begin("wider");
    NetOf(Doc()).m_sizeNet.cx += 10;
    Doc().SetModifiedFlag();
    ASSERT_TRUE(Doc().History().End());
    const std::vector<std::uint8_t> before = CDocumentFile::Store(Doc());
    for (const QString& strFile : files) {
        SCOPED_TRACE(strFile.toStdString());
        m_prompt.messages.clear();
        EXPECT_FALSE(Frame().OpenDocumentFile(strFile));
        ASSERT_EQ(m_prompt.messages.size(), 1);
        // The file and the reason.
        EXPECT_EQ(m_prompt.messages[0],
                  QDir::toNativeSeparators(strFile) + ": Unexpected file format.");
        EXPECT_EQ(Doc().GetTitle(), "net");
        EXPECT_TRUE(Doc().IsModified());
        EXPECT_EQ(CDocumentFile::Store(Doc()), before);
        EXPECT_EQ(Doc().History().UndoText(), "wider");
    }
    EXPECT_EQ(Frame().GetRecentFiles().size(), 1);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("net[*] - Zerin"));

    // Nor does it end a simulation or empty the output panes.
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    ASSERT_TRUE(Doc().Simulation().IsActive());
    const int lines = Frame().GetOutputBar().GetListBox(PANE_STANDARD)->count();
    ASSERT_GT(lines, 0);
    EXPECT_FALSE(Frame().OpenDocumentFile(files.back()));
    EXPECT_TRUE(Doc().Simulation().IsActive());
    EXPECT_EQ(Doc().GetTitle(), "occurrence");
    EXPECT_EQ(Frame().GetOutputBar().GetListBox(PANE_STANDARD)->count(), lines);
    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    EXPECT_FALSE(Frame().OpenDocumentFile(files.back()));
    EXPECT_EQ(Frame().GetOutputBar().GetListBox(PANE_STANDARD)->count(), lines);
}

TEST_F(MainFrameFiles, SaveAsWritesTheFileAndAddsTheExtension) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    m_prompt.savePath = Scratch("copy");
    Frame().OnCommand(Cmd::ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFileInfo::exists(Scratch("copy.zrn")));
    EXPECT_EQ(Doc().GetTitle(), "copy");
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("copy[*] - Zerin"));
    EXPECT_EQ(QFileInfo(Frame().GetRecentFiles().value(0)).fileName(), QStringLiteral("copy.zrn"));

    // What was saved opens again.
    EXPECT_TRUE(Frame().OpenDocumentFile(Scratch("copy.zrn")));
    EXPECT_TRUE(m_prompt.messages.isEmpty());
}

TEST_F(MainFrameFiles, AFailedSaveIsReported) {
    m_prompt.savePath = Scratch("no/such/folder/x.zrn");
    EXPECT_FALSE(Frame().OnFileSaveAs());
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_FALSE(m_prompt.messages[0].isEmpty());
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
}

TEST_F(MainFrameFiles, UnsavedChangesAreAskedAbout) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    Doc().SetModifiedFlag(true);

    m_prompt.answer = QMessageBox::Cancel;
    Frame().OnCommand(Cmd::ID_FILE_NEW);
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_EQ(m_prompt.messages[0], QStringLiteral("Save changes to net?"));
    EXPECT_EQ(Doc().GetTitle(), "net");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(Frame().close());

    m_prompt.answer = QMessageBox::No;
    Frame().OnCommand(Cmd::ID_FILE_NEW);
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(Doc().NetDesign().m_listElements.empty());
}

// Quitting, New and Open stop an automatic run first: the loop of the run would go on
// with no window or over another document. The command acts once the run has ended,
// and a new document starts in design mode.
TEST_F(MainFrameFiles, QuittingNewAndOpenStopARunningSimulationFirst) {
    Frame().show();
    for (const int nCommand : {Cmd::ID_FILE_NEW, Cmd::ID_APP_EXIT}) {
        SCOPED_TRACE(nCommand);
        ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
        Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
        ASSERT_TRUE(Doc().Simulation().IsActive());
        Doc().SetModifiedFlag(true);
        m_prompt.messages.clear();
        QElapsedTimer clock;
        QTimer::singleShot(200, &Frame(), [&] {
            clock.start();
            Frame().OnCommand(nCommand);
        });
        // Starts the run; returns when the run has ended.
        ASSERT_TRUE(Frame().GetSimulationPage().GetButton(1030)->isEnabled());
        Frame().GetSimulationPage().GetButton(1030)->click();
        QTest::qWait(50);
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_FALSE(Frame().GetNetDesignView()->IsAutoRunning());
        ASSERT_EQ(m_prompt.messages.size(), 1);
        EXPECT_TRUE(m_prompt.messages[0].startsWith("Save changes"));
        EXPECT_EQ(Frame().isVisible(), nCommand == Cmd::ID_FILE_NEW);
        if (nCommand == Cmd::ID_FILE_NEW) {
            // Back in design mode: the tools work again, the simulation page is gone.
            EXPECT_FALSE(Doc().Simulation().IsActive());
            CCommandState state;
            EXPECT_TRUE(
                Frame().GetNetDesignView()->OnUpdateCommand(Cmd::ID_TOOL_CONDITION, state) &&
                state.enabled);
            EXPECT_EQ(Frame().GetCurrentPage(), nullptr);
        }
    }
}

} // namespace

namespace {

// "Import PNML..." makes a new document of the net; a refused file changes nothing and
// names the file and the reason; "Export To PNML" writes what imports again.
TEST_F(MainFrameFiles, PnmlImportMakesANewDocumentAndARefusalLeavesTheOld) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    const std::string before = CPnmlExport(Doc().NetDesign()).BuildXML();
    const QString strBad = Scratch("weighted.pnml");
    QFile bad(strBad);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<pnml><net id=\"n\"><place id=\"p\"><initialMarking><text>2</text>"
              "</initialMarking></place></net></pnml>");
    bad.close();
    m_prompt.openPath = strBad;
    Frame().OnCommand(Cmd::ID_FILE_IMPORT_PNML);
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_TRUE(m_prompt.messages[0].startsWith(QDir::toNativeSeparators(strBad) + ": "));
    EXPECT_TRUE(m_prompt.messages[0].contains(QStringLiteral("2 tokens")));
    EXPECT_EQ(Doc().GetTitle(), "net");
    EXPECT_EQ(CPnmlExport(Doc().NetDesign()).BuildXML(), before);

    m_prompt.savePath = Scratch("net.pnml");
    Frame().OnCommand(Cmd::ID_NET_EXPORT_PNML);
    m_prompt.openPath = Scratch("net.pnml");
    Frame().OnCommand(Cmd::ID_FILE_IMPORT_PNML);
    EXPECT_EQ(m_prompt.messages.size(), 1);
    // Titled after its file, nothing of it selected, and not saved anywhere yet.
    EXPECT_EQ(Doc().GetTitle(), "net");
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_TRUE(Doc().Selection().Items().empty());
    for (const CPNElement* e : Doc().NetDesign().m_listElements)
        EXPECT_FALSE(e->m_bSelected);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(Doc().History().CanUndo()) << "the imported net starts the history";
    EXPECT_EQ(CPnmlExport(Doc().NetDesign()).BuildXML(), before);

    // Of a file with two nets the user picks one; cancelling the choice changes nothing.
    const QString strTwo = Scratch("two.pnml");
    QFile two(strTwo);
    ASSERT_TRUE(two.open(QIODevice::WriteOnly));
    two.write("<pnml><net id=\"first\"><place id=\"a\"/></net>"
              "<net id=\"second\"><place id=\"b\"/><place id=\"c\"/></net></pnml>");
    two.close();
    m_prompt.openPath = strTwo;
    m_prompt.messages.clear();
    Frame().OnCommand(Cmd::ID_FILE_IMPORT_PNML);
    EXPECT_EQ(m_prompt.messages,
              QStringList{QStringLiteral("The file holds 2 nets. Import the net: first,second")});
    EXPECT_EQ(CPnmlExport(Doc().NetDesign()).BuildXML(), before);
    m_prompt.item = QStringLiteral("second");
    Frame().OnCommand(Cmd::ID_FILE_IMPORT_PNML);
    EXPECT_EQ(Doc().NetDesign().m_listElements.size(), 4u);
}

} // namespace

namespace {

// "Export To TikZ" asks whether to write a document of its own, as --standalone does:
// Yes writes one that compiles alone, No the picture to \input, Cancel nothing at all.
TEST_F(MainFrameFiles, TikzExportAsksForAStandaloneDocument) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    const struct {
        QMessageBox::StandardButton answer;
        const char* file;
        bool written;
        bool document;
    } rows[] = {{QMessageBox::Yes, "alone.tex", true, true},
                {QMessageBox::No, "part.tex", true, false},
                {QMessageBox::Cancel, "none.tex", false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        m_prompt.answer = row.answer;
        m_prompt.messages.clear();
        m_prompt.defaults.clear();
        m_prompt.savePath = Scratch(row.file);
        Frame().OnCommand(Cmd::ID_NET_EXPORT_TIKZ);
        ASSERT_EQ(m_prompt.messages.size(), 1);
        EXPECT_TRUE(m_prompt.messages[0].contains(QStringLiteral("standalone")));
        EXPECT_EQ(m_prompt.defaults.size(), row.written ? 1 : 0);
        QFile file(m_prompt.savePath);
        ASSERT_EQ(file.open(QIODevice::ReadOnly), row.written);
        if (row.written) {
            EXPECT_EQ(file.readAll().contains("\\documentclass"), row.document);
        }
    }
}

// Help > Examples opens the example chosen in its list; a double click on an error line
// of the net's test selects the elements it names, and on any other line nothing.
TEST_F(MainFrameFiles, HelpExamplesAndErrorLinesSelectingWhatTheyName) {
    m_prompt.item = QStringLiteral("mutex - whatever the description says");
    Frame().OnCommand(Cmd::ID_HELP_EXAMPLES);
    EXPECT_EQ(Doc().GetTitle(), "mutex");
    EXPECT_FALSE(Doc().IsModified());
    const auto selected = [this] {
        std::set<std::string> names;
        for (CPNElement* e : Doc().Selection().Items())
            names.insert(CNetDesign::NameLabelOf(e)->m_strText);
        return names;
    };
    Frame().OnOutputLineActivated(PANE_STANDARD,
                                  QStringLiteral("Error: found 2 indistinguishable conditions: "
                                                 "idle_1 and free, enter_2 and nothing"));
    EXPECT_EQ(selected(), (std::set<std::string>{"idle_1", "free", "enter_2"}));
    Frame().OnOutputLineActivated(PANE_STANDARD, QStringLiteral("  Isolated conditions..."));
    EXPECT_EQ(selected().size(), 3u) << "a line naming nothing leaves the selection";
    // Cancelled, the list changes nothing.
    m_prompt.item.clear();
    Frame().OnCommand(Cmd::ID_HELP_EXAMPLES);
    EXPECT_EQ(Doc().GetTitle(), "mutex");
}

// An arrow key nudges the selection as one edit named "Move"; Undo and Redo take it back
// and again, the menu names them, the modified flag follows, and while simulating both
// are off.
TEST_F(MainFrameFiles, NudgeUndoRedoAndTheNamesOfEdits) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/net.zrn")));
    Frame().show();
    CPNCondition* pCondition = nullptr;
    for (CPNElement* e : Doc().NetDesign().m_listElements)
        if ((pCondition = dynamic_cast<CPNCondition*>(e)))
            break;
    ASSERT_NE(pCondition, nullptr);
    const CPoint at = pCondition->m_ptPos;
    Doc().Selection().Select(pCondition, false);
    QWidget* pView = Frame().GetView(CMainFrame::VIEW_NET_DESIGN);
    QTest::keyClick(pView, Qt::Key_Right);
    QTest::keyClick(pView, Qt::Key_Down, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(pCondition->m_ptPos, CPoint(at.x + Doc().Record().gridSize, at.y + 1));
    Frame().UpdateCommandUI();
    EXPECT_EQ(Frame().GetAction(Cmd::ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Move\tCtrl+Z"));
    EXPECT_TRUE(Doc().IsModified());

    Frame().OnCommand(Cmd::ID_EDIT_UNDO);
    Frame().OnCommand(Cmd::ID_EDIT_UNDO);
    EXPECT_EQ(pCondition->m_ptPos, at);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Frame().GetAction(Cmd::ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(Frame().GetAction(Cmd::ID_EDIT_REDO)->text(),
              QStringLiteral("&Redo Move\tCtrl+Shift+Z"));
    Frame().OnCommand(Cmd::ID_EDIT_REDO);
    EXPECT_TRUE(Doc().IsModified());

    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    if (Doc().Simulation().IsActive()) {
        EXPECT_FALSE(Frame().GetAction(Cmd::ID_EDIT_UNDO)->isEnabled());
        EXPECT_FALSE(Frame().GetAction(Cmd::ID_EDIT_REDO)->isEnabled());
        Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    }
    EXPECT_TRUE(Frame().GetAction(Cmd::ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(Frame().GetAction(Cmd::ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Move\tCtrl+Z"));
    // Every edit carries the name of its command or key, whichever door it came in by.
    auto undoText = [this] {
        Frame().UpdateCommandUI();
        return Frame().GetAction(Cmd::ID_EDIT_UNDO)->text();
    };
    Doc().Selection().Select(pCondition, false);
    QTest::keyClick(pView, Qt::Key_Delete);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Delete\tCtrl+Z"));
    Doc().Selection().Select(Doc().NetDesign().m_listElements.front(), false);
    Frame().OnCommand(Cmd::ID_EDIT_COPY);
    Frame().OnCommand(Cmd::ID_EDIT_PASTE);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Paste\tCtrl+Z"));
    Frame().OnCommand(Cmd::ID_PLACE_BACK);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Place To Back\tCtrl+Z"));
    QGuiApplication::clipboard()->clear(); // the tests after this one start without a copy
}

} // namespace
