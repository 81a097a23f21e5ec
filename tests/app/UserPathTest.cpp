// What a user meets on the way through the program: the save question after an undo,
// the output pane after a print preview, the names of undone edits, dialog titles,
// File > Close, the zoom a document starts at, and where exports are proposed.

#include "FrameFixture.h"
#include "app/bars/COutputBar.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/dialogs/DialogTitle.h"
#include "app/frame/ToolBarIcons.h"
#include "casegraph/CPNCase.h"
#include "document/CNullFrameServices.h"
#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"
#include "support/DocAccess.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"
#include "views/SaveFileDialog.h"

#include <QCommandLinkButton>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

class UserPath : public FrameFixture {
protected:
    // The example saved to the scratch folder and opened, as a user opens a file.
    void OpenExample(const char* szName) {
        CNullFrameServices nowhere;
        CZerinDoc doc(nowhere);
        CMeasureDC dc;
        ASSERT_TRUE(CExampleNets::Build(szName, doc, dc));
        const QString strPath = Scratch(szName) + QStringLiteral(".zrn");
        ASSERT_TRUE(doc.OnSaveDocument(strPath.toStdString()));
        ASSERT_TRUE(Frame().OpenDocumentFile(strPath));
    }
};

// The case graph and the run a simulation adds are no edit, but the file does not hold
// them: an edit made after it and taken back leaves the document modified, and Exit asks.
TEST_F(UserPath, ExitAsksAfterASimulationEvenWhenTheLastEditIsUndone) {
    OpenExample("producer-consumer");
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    ASSERT_TRUE(Doc().Simulation().IsActive());
    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    EXPECT_TRUE(Doc().IsModified());
    Frame().OnCommand(Cmd::ID_SHOW_CASE_GRAPH);
    ASSERT_FALSE(GraphOf(Doc()).Cases().empty());
    CPNCase* pCase = GraphOf(Doc()).Cases().front();
    Doc().History().Begin("Move");
    Doc().MoveElement(CZerinDoc::DIAGRAM_CASE_GRAPH, pCase,
                      CPoint(pCase->m_ptPos.x + 30, pCase->m_ptPos.y));
    ASSERT_TRUE(Doc().History().End());
    Frame().OnCommand(Cmd::ID_EDIT_UNDO);
    EXPECT_TRUE(Doc().IsModified());
    m_prompt.answer = QMessageBox::Cancel;
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_EQ(m_prompt.messages[0], QStringLiteral("Save changes to producer-consumer?"));
}

// Printing hides the output pane; once the preview is closed it is back as it was.
TEST_F(UserPath, ThePrintPreviewGivesTheOutputPaneBack) {
    OpenExample("mutex");
    Frame().show();
    Frame().OnCommand(Cmd::ID_VIEW_OUTPUT);
    ASSERT_TRUE(Frame().GetOutputBar().isVisible());
    bool bHiddenWhilePreviewed = false;
    QTimer::singleShot(500, &Frame(), [&] {
        bHiddenWhilePreviewed = Frame().GetOutputBar().isHidden();
        if (QWidget* pPreview = QApplication::activeModalWidget())
            pPreview->close();
    });
    Frame().OnCommand(Cmd::ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(bHiddenWhilePreviewed);
    EXPECT_TRUE(Frame().GetOutputBar().isVisible());
}

// A dialog is at least as wide as its whole title, however little it holds.
TEST_F(UserPath, NoDialogCutsItsTitleOff) {
    Frame().show();
    for (const char* szTitle : {"Smooth Case Graph", "Case Class Verification", "About Zerin"}) {
        SCOPED_TRACE(szTitle);
        QDialog dialog(&Frame());
        dialog.setWindowTitle(QString::fromLatin1(szTitle));
        auto* pLayout = new QVBoxLayout(&dialog);
        pLayout->addWidget(new QLabel(QStringLiteral("1"), &dialog));
        dialog.setFixedSize(60, 40);
        dialog.show();
        QCoreApplication::processEvents();
        EXPECT_GE(dialog.width(), TitleWidth(dialog));
        EXPECT_EQ(dialog.height(), 40);
    }
}

// File > Close asks to save and leaves an empty untitled document; a new or opened
// document starts at 100 % at the page's corner, whatever the last one showed.
TEST_F(UserPath, CloseAndOpenStartAgainAtTheCorner) {
    OpenExample("philosophers");
    Frame().show();
    auto* pView = Frame().GetView(CMainFrame::VIEW_NET_DESIGN);
    pView->OnCommand(Cmd::ID_VIEW_ZOOM_DRAWING);
    // The drawing fills the window: the zoom is the largest that shows it whole.
    const CRect drawing = pView->GetDrawingBounds();
    ASSERT_FALSE(drawing.IsRectEmpty());
    EXPECT_NE(pView->GetZoom(), 100);
    EXPECT_LE((drawing.Width() + 40) * pView->GetZoom() / 100, pView->viewport()->width() + 1);
    EXPECT_LE((drawing.Height() + 40) * pView->GetZoom() / 100, pView->viewport()->height() + 1);
    EXPECT_TRUE(pView->viewport()->rect().contains(pView->LogicalToDevice(drawing.CenterPoint())));
    pView->OnCommand(Cmd::ID_VIEW_ZOOM_IN);

    Doc().SetModifiedFlag();
    m_prompt.answer = QMessageBox::No;
    Frame().OnCommand(Cmd::ID_FILE_CLOSE);
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_TRUE(Doc().NetDesign().m_listElements.empty());
    EXPECT_EQ(pView->GetZoom(), 100);
    EXPECT_EQ(pView->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(pView->verticalScrollBar()->value(), 0);
}

// Exports are proposed in the document's folder, under its name, with the format's
// extension, and say what they export.
TEST_F(UserPath, ExportsStartBesideTheDocument) {
    OpenExample("mutex");
    const QString strFolder = QFileInfo(Scratch("mutex.zrn")).absolutePath();
    Frame().OnCommand(Cmd::ID_NET_EXPORT_PNML);
    Frame().OnCommand(Cmd::ID_NET_EXPORT_XML);
    ASSERT_EQ(m_prompt.defaults.size(), 2);
    EXPECT_EQ(m_prompt.defaults[0], QDir(strFolder).filePath(QStringLiteral("mutex.pnml")));
    EXPECT_EQ(m_prompt.defaults[1], QDir(strFolder).filePath(QStringLiteral("mutex.xml")));
    EXPECT_EQ(ExportProposal(QString(), QStringLiteral("CaseGraph"), QStringLiteral("xml")),
              QStringLiteral("CaseGraph.xml"));
}

} // namespace

namespace {

// The toolbars take the size the style asks for; our pictures are drawn at the size
// and pixel ratio asked, not scaled up from 16 pixels; every button keeps its tip.
TEST_F(UserPath, ToolbarIconsFollowTheStyleAndStaySharp) {
    const int nSize = Frame().style()->pixelMetric(QStyle::PM_ToolBarIconSize);
    for (int nBar = 0; nBar < 3; ++nBar) {
        QToolBar* pBar = Frame().GetToolBar(nBar);
        EXPECT_EQ(pBar->iconSize(), QSize(nSize, nSize));
        for (QAction* pAction : pBar->actions())
            if (!pAction->isSeparator()) {
                EXPECT_FALSE(pAction->icon().isNull()) << pAction->text().toStdString();
                EXPECT_FALSE(pAction->toolTip().isEmpty());
            }
    }
    const QIcon icon = DrawnToolBarIcon(Cmd::ID_TOOL_TOKEN);
    const QImage sharp = icon.pixmap(QSize(24, 24), 2.0).toImage();
    EXPECT_EQ(sharp.size(), QSize(48, 48));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    // Drawn at 48 pixels, not a 24-pixel picture doubled: some 2 x 2 block differs
    // within itself.
    bool bFiner = false;
    for (int y = 0; y + 1 < 48 && !bFiner; y += 2)
        for (int x = 0; x + 1 < 48 && !bFiner; x += 2)
            bFiner = sharp.pixel(x, y) != sharp.pixel(x + 1, y) ||
                     sharp.pixel(x, y) != sharp.pixel(x, y + 1);
    EXPECT_TRUE(bFiner);
    EXPECT_TRUE(DrawnToolBarIcon(Cmd::ID_APP_ABOUT).isNull());
}

} // namespace

namespace {

// What a bug report or a paper quotes: the version, the Qt of the build and of the run,
// the licence and the project's home, never a folder of the machine that built it.
TEST(AboutBox, SaysWhatAReportNeeds) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("VersionText"))->text(),
              QStringLiteral("Zerin Version 1.65"));
    const QString strDetails = dialog.findChild<QLabel*>(QStringLiteral("Details"))->text();
    EXPECT_TRUE(strDetails.contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(strDetails.contains(QStringLiteral(QT_VERSION_STR)));
    EXPECT_TRUE(strDetails.contains(CAboutDlg::Licence()));
    EXPECT_FALSE(CAboutDlg::HomePage().isEmpty());
    EXPECT_TRUE(strDetails.contains(QStringLiteral("Home: ") + CAboutDlg::HomePage()));
    // The source folder of this build, where the test data lies.
    const QString strSource = QStringLiteral(ZERIN_TEST_DATA).section(QLatin1Char('/'), 0, -3);
    EXPECT_FALSE(strDetails.contains(strSource)) << strSource.toStdString();
    EXPECT_FALSE(strDetails.contains(QStringLiteral("Source:")));
}

} // namespace

namespace {

// Started without a file, the window offers something to do: the examples (each with
// what it shows), New, Open, Import PNML and the recent files; a choice opens it and
// puts the view back, as does any command.
TEST_F(UserPath, TheStartPageOpensAnExampleAndMakesWayForTheView) {
    Frame().show();
    Frame().ShowStartPage();
    ASSERT_TRUE(Frame().IsStartPageShown());
    QWidget* pPage = Frame().centralWidget();
    QStringList examples;
    for (const QCommandLinkButton* pButton : pPage->findChildren<QCommandLinkButton*>()) {
        examples << pButton->text();
        EXPECT_FALSE(pButton->description().isEmpty());
    }
    EXPECT_EQ(examples, (QStringList{"philosophers", "producer-consumer", "mutex"}));
    QStringList buttons;
    for (const QPushButton* pButton : pPage->findChildren<QPushButton*>())
        if (!qobject_cast<const QCommandLinkButton*>(pButton))
            buttons << pButton->text();
    EXPECT_EQ(buttons, (QStringList{"New Net", "Open...", "Import PNML..."}));

    pPage->findChildren<QCommandLinkButton*>().at(2)->click();
    QTest::qWait(20);
    EXPECT_FALSE(Frame().IsStartPageShown());
    EXPECT_EQ(Frame().centralWidget(), Frame().GetView(CMainFrame::VIEW_NET_DESIGN));
    EXPECT_EQ(Doc().GetTitle(), "mutex");
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().NetDesign().m_listElements.empty());

    // With a recent file it is listed; a command of the window closes the page.
    OpenExample("producer-consumer");
    Frame().ShowStartPage();
    const auto recent = Frame().centralWidget()->findChildren<QCommandLinkButton*>();
    ASSERT_EQ(recent.size(), 4);
    EXPECT_EQ(recent.back()->text(), QStringLiteral("producer-consumer.zrn"));
    Frame().OnCommand(Cmd::ID_VIEW_ZOOM_IN);
    EXPECT_FALSE(Frame().IsStartPageShown());
    EXPECT_TRUE(Frame().GetView(CMainFrame::VIEW_NET_DESIGN)->isVisible());
}

} // namespace
