#include "FrameFixture.h"
#include "support/DocAccess.h"
#include "views/CommandIds.h"

#include "casegraph/CPNCase.h"
#include "app/bars/COutputBar.h"
#include "base/OutputWriter.h"

#include "support/Golden.h"
#include "views/CDiagramView.h"
#include <QListWidget>

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <string>

namespace {

// Every menu and toolbar as text: one line per item with its id, shortcut, whether it
// is checkable, and its state after the update pass.
std::string Describe(CMainFrame& frame) {
    for (QMenu* pMenu : frame.GetMenus())
        emit pMenu->aboutToShow();
    std::string text;
    auto item = [&text](QAction* pAction) {
        if (pAction->isSeparator()) {
            text += "  ----\n";
            return;
        }
        QString line =
            pAction->text() + " | " + QString::number(pAction->data().toInt()) + " | " +
            pAction->shortcut().toString() + (pAction->isCheckable() ? " | checkable" : "") +
            (pAction->isEnabled() ? " | enabled" : " | disabled") +
            (pAction->isChecked() ? " | checked" : "") + (pAction->isVisible() ? "" : " | hidden") +
            " | " + pAction->statusTip() + " | " + pAction->toolTip();
        // Recent files name the test data wherever the tree lies.
        line.replace(QStringLiteral(ZERIN_TEST_DATA), QStringLiteral("<data>"));
        text += "  " + line.toStdString() + "\n";
    };
    for (QMenu* pMenu : frame.GetMenus()) {
        text += "menu " + pMenu->title().toStdString() + "\n";
        for (QAction* pAction : pMenu->actions())
            item(pAction);
    }
    for (int i = 0; i < 4; ++i) {
        QToolBar* pBar = frame.GetToolBar(i);
        text += "toolbar " + pBar->windowTitle().toStdString() +
                (pBar->isHidden() ? " (hidden)" : "") + "\n";
        for (QAction* pAction : pBar->actions())
            item(pAction);
    }
    return text;
}

using MainFrameMenus = FrameFixture;

TEST_F(MainFrameMenus, ItemsKeysToolbarsAndUpdateRulesInBothModes) {
    ExpectGolden("app/menus-design.txt", Describe(Frame()));
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    ASSERT_TRUE(Doc().Simulation().IsActive());
    ExpectGolden("app/menus-simulation.txt", Describe(Frame()));
    // Entering shows the output bar and the simulation page.
    EXPECT_TRUE(Frame().IsOutputShown());
    EXPECT_EQ(Frame().GetCurrentPage(), Frame().GetPage(PAGE_SIMULATION));
    // "Set Breakpoints" runs its dialog modally.
    Frame().OnCommand(Cmd::ID_SET_BREAKPOINTS);
    EXPECT_EQ(m_prompt.dialogs.size(), 1);
    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    EXPECT_FALSE(Doc().Simulation().IsActive());
    EXPECT_TRUE(Frame().GetAction(Cmd::ID_ENTER_SIMULATION)->isEnabled());
    // Three bars in a row at the top; the full-screen bar floats alone.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Frame().toolBarArea(Frame().GetToolBar(i)), Qt::TopToolBarArea);
        EXPECT_FALSE(Frame().toolBarBreak(Frame().GetToolBar(i)));
    }
    EXPECT_TRUE(Frame().GetToolBar(3)->isWindow());
}

} // namespace

namespace {

// The case graph view: made on its first showing and kept, its commands' rules in both
// modes, and back to the net design for a new document.
TEST_F(MainFrameMenus, TheCaseGraphViewComesOnceAndBringsItsCommands) {
    EXPECT_FALSE(Frame().GetAction(Cmd::ID_SHOW_CASE_GRAPH)->isEnabled());
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    EXPECT_EQ(Frame().GetView(CMainFrame::VIEW_CASE_GRAPH), nullptr);
    Frame().OnCommand(Cmd::ID_SHOW_CASE_GRAPH);
    CDiagramView* pView = Frame().GetView(CMainFrame::VIEW_CASE_GRAPH);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(Frame().GetActiveView(), pView);
    EXPECT_EQ(Frame().centralWidget(), pView);
    EXPECT_TRUE(Doc().Record().caseGraphLaidOut);
    ExpectGolden("app/menus-casegraph-simulation.txt", Describe(Frame()));

    // Away and back: the same view, the same layout and scroll position.
    const CPoint first = GraphOf(Doc()).Cases().front()->m_ptPos;
    Frame().OnCommand(Cmd::ID_SHOW_NET_DESIGN);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GetView(CMainFrame::VIEW_NET_DESIGN));
    Frame().OnCommand(Cmd::ID_SHOW_CASE_GRAPH);
    EXPECT_EQ(Frame().GetView(CMainFrame::VIEW_CASE_GRAPH), pView);
    EXPECT_EQ(GraphOf(Doc()).Cases().front()->m_ptPos, first);

    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    ExpectGolden("app/menus-casegraph-design.txt", Describe(Frame()));
    Frame().OnCommand(Cmd::ID_FILE_NEW);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GetView(CMainFrame::VIEW_NET_DESIGN));
    EXPECT_FALSE(Frame().GetAction(Cmd::ID_SHOW_CASE_GRAPH)->isEnabled());
}

} // namespace

namespace {

// The way to a found case: written to the analysis pane, marked in the case graph for
// one showing, and replayed in the net design view from the initial case.
TEST_F(MainFrameMenus, TheWayToAFoundCaseIsShownAndReplayed) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    CCaseGraph& graph = GraphOf(Doc());
    const CPNCase* initial = graph.GetInitialCase();
    ASSERT_NE(initial, nullptr);
    std::size_t target = 0;
    for (std::size_t i = 0; i < graph.Cases().size(); ++i)
        if (graph.Cases()[i] != initial && graph.Cases()[i]->m_bReachable)
            target = i;
    const CPNCase* goal = graph.Cases()[target];
    ASSERT_NE(goal, initial);

    ASSERT_TRUE(Frame().ShowCasePath(target));
    QListWidget* pAnalysis = Frame().GetOutputBar().GetListBox(PANE_ANALYSIS);
    EXPECT_TRUE(pAnalysis->item(0)->text().startsWith("Shortest path from"));
    EXPECT_TRUE(goal->m_bOnPath && initial->m_bOnPath);
    Frame().OnCommand(Cmd::ID_SHOW_CASE_GRAPH);
    EXPECT_TRUE(goal->m_bOnPath) << "kept for the showing that follows";
    Frame().OnCommand(Cmd::ID_SHOW_NET_DESIGN);
    Frame().OnCommand(Cmd::ID_SHOW_CASE_GRAPH);
    EXPECT_FALSE(goal->m_bOnPath) << "gone at the next";

    Doc().Simulation().SetSpeed(1);
    Frame().ReplayCasePath(target);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GetView(CMainFrame::VIEW_NET_DESIGN));
    EXPECT_TRUE(Doc().Simulation().CurrentCase().IsEqual(goal->m_setConditions));
}

} // namespace
