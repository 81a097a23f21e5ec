#include "FrameFixture.h"

#include "app/CommandIds.h"

#include "app/COutputBar.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <utility>
#include <vector>

namespace {

using Items = std::vector<std::pair<const char*, int>>;

// The items of a menu with an id, in order; the recent files are left out.
Items ItemsOf(const QMenu* pMenu, std::vector<QString>& texts) {
    Items items;
    for (QAction* pAction : pMenu->actions()) {
        const int nId = pAction->data().toInt();
        if (pAction->isSeparator() || (nId >= 57616 && nId < 57620))
            continue;
        texts.push_back(pAction->text());
        items.emplace_back(nullptr, nId);
    }
    return items;
}

void ExpectMenu(const QMenu* pMenu, const char* szTitle, const Items& expected) {
    SCOPED_TRACE(szTitle);
    EXPECT_EQ(pMenu->title(), QString::fromLatin1(szTitle));
    std::vector<QString> texts;
    const Items items = ItemsOf(pMenu, texts);
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts[i], QString::fromLatin1(expected[i].first));
        EXPECT_EQ(items[i].second, expected[i].second) << expected[i].first;
    }
}

using MainFrameMenus = FrameFixture;

TEST_F(MainFrameMenus, HoldEveryItemWithItsTextAndId) {
    const QList<QMenu*>& menus = Frame().GetMenus();
    ASSERT_EQ(menus.size(), 10);
    ExpectMenu(menus[0], "&File",
               {{"&New\tCtrl+N", 57600},
                {"&Open...\tCtrl+O", 57601},
                {"&Save\tCtrl+S", 57603},
                {"Save &As...", 57604},
                {"&Print...\tCtrl+P", 57607},
                {"Print Pre&view", 57609},
                {"P&rint Setup...", 57606},
                {"E&xit", 57665}});
    ExpectMenu(menus[1], "&Edit",
               {{"&Delete\tDel", 32790}, {"Place To Front", 32787}, {"Place To Back", 32788}});
    ExpectMenu(menus[2], "&View",
               {{"&Status Bar", 59393},
                {"Properties Bar", 32782},
                {"Grid Points", 32783},
                {"Ruler", 32838},
                {"Output Window", 32795},
                {"Full Screen", 32806}});
    ExpectMenu(menus[3], "Tools",
               {{"Select", 32771},
                {"Condition", 32772},
                {"Event", 32773},
                {"Edge", 32774},
                {"Polygon", 32775},
                {"Label", 32776},
                {"Token", 32777}});
    ExpectMenu(menus[4], "Net Design",
               {{"Show Net Design", 32835},
                {"Do Net Complement", 32813},
                {"View Properties", 32821},
                {"Export To XML", 32827},
                {"Export To EMF", 32828}});
    ExpectMenu(menus[5], "Simulation",
               {{"Show Simulating System", 32824},
                {"Enter Simulation Mode", 32796},
                {"Leave Simulation Mode", 32797},
                {"Execute Step", 32802},
                {"Reset System", 32805},
                {"Set Breakpoints", 32814}});
    ExpectMenu(menus[6], "Analysis",
               {{"Write Out Case Class", 32800},
                {"Export Case Class To XML", 32829},
                {"Case Class Verification", 32815},
                {"Compute All Reachable Cases", 32839}});
    ExpectMenu(menus[7], "Case Graph",
               {{"Show Case Graph", 32808},
                {"Highlight Reachable Cases", 32833},
                {"Smooth Case Graph", 32811},
                {"View Properties", 32822},
                {"Export To XML", 32836},
                {"Export To EMF", 32830}});
    ExpectMenu(menus[8], "Occurrence Net",
               {{"Show Occurrence Net", 32809},
                {"View Properties", 32817},
                {"Export To XML", 32837},
                {"Export To EMF", 32831}});
    ExpectMenu(menus[9], "&Help", {{"&About Zerin...", 57664}});
}

TEST_F(MainFrameMenus, RecentFilesSitBetweenPrintSetupAndExit) {
    const QList<QAction*> actions = Frame().GetMenus()[0]->actions();
    int nSetup = -1, nExit = -1, nFirstRecent = -1;
    for (int i = 0; i < actions.size(); ++i) {
        const int nId = actions[i]->data().toInt();
        if (nId == 57606)
            nSetup = i;
        if (nId == 57665)
            nExit = i;
        if (nId == 57616)
            nFirstRecent = i;
    }
    EXPECT_LT(nSetup, nFirstRecent);
    EXPECT_LT(nFirstRecent, nExit);
    // With no recent file, one disabled placeholder.
    EXPECT_EQ(actions[nFirstRecent]->text(), QStringLiteral("Recent File"));
    EXPECT_TRUE(actions[nFirstRecent]->isVisible());
    emit Frame().GetMenus()[0]->aboutToShow();
    EXPECT_FALSE(actions[nFirstRecent]->isEnabled());
    EXPECT_FALSE(actions[nFirstRecent + 1]->isVisible());
}

TEST_F(MainFrameMenus, AcceleratorsAreTheFourFileKeysAndEscape) {
    EXPECT_EQ(Frame().GetAction(57600)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(Frame().GetAction(57601)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(Frame().GetAction(57603)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(Frame().GetAction(57607)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(Frame().GetAction(32807)->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(Frame().GetAction(57604)->shortcut().isEmpty());
    // The view takes the Delete key itself.
    EXPECT_TRUE(Frame().GetAction(32790)->shortcut().isEmpty());
}

TEST_F(MainFrameMenus, ToolbarsHoldTheirButtons) {
    auto ids = [](QToolBar* pBar) {
        std::vector<int> result;
        for (QAction* pAction : pBar->actions())
            result.push_back(pAction->isSeparator() ? 0 : pAction->data().toInt());
        return result;
    };
    QToolBar* pStandard = Frame().GetToolBar(0);
    QToolBar* pTools = Frame().GetToolBar(1);
    QToolBar* pControls = Frame().GetToolBar(2);
    QToolBar* pFull = Frame().GetToolBar(3);
    EXPECT_EQ(pStandard->windowTitle(), QStringLiteral("Standard"));
    EXPECT_EQ(pTools->windowTitle(), QStringLiteral("Tools"));
    EXPECT_EQ(pControls->windowTitle(), QStringLiteral("Controls"));
    EXPECT_EQ(pFull->windowTitle(), QStringLiteral("Full Screen"));
    EXPECT_EQ(ids(pStandard), (std::vector<int>{57600, 57601, 57603}));
    EXPECT_EQ(ids(pTools), (std::vector<int>{32771, 32772, 32773, 32774, 32775, 32776, 32777}));
    EXPECT_EQ(ids(pControls), (std::vector<int>{32796, 32797, 0, 32835, 32808, 32809}));
    EXPECT_EQ(ids(pFull), (std::vector<int>{32807}));

    for (QAction* pAction : pTools->actions())
        EXPECT_TRUE(pAction->isCheckable()) << pAction->text().toStdString();
    const QList<QAction*> controls = pControls->actions();
    EXPECT_FALSE(controls[0]->isCheckable());
    EXPECT_FALSE(controls[1]->isCheckable());
    for (int i = 3; i < 6; ++i)
        EXPECT_TRUE(controls[i]->isCheckable());
    for (QAction* pAction : pStandard->actions())
        EXPECT_FALSE(pAction->icon().isNull());

    // Three bars in a row at the top; the full-screen bar floats alone, hidden.
    for (QToolBar* pBar : {pStandard, pTools, pControls}) {
        EXPECT_EQ(Frame().toolBarArea(pBar), Qt::TopToolBarArea);
        EXPECT_FALSE(pBar->isHidden());
        EXPECT_FALSE(Frame().toolBarBreak(pBar));
    }
    EXPECT_TRUE(pFull->isHidden());
    EXPECT_TRUE(pFull->isWindow());
    EXPECT_EQ(Frame().toolBarArea(pFull), Qt::NoToolBarArea);
}

TEST_F(MainFrameMenus, UpdateRulesInDesignMode) {
    for (QMenu* pMenu : Frame().GetMenus())
        emit pMenu->aboutToShow();
    auto enabled = [this](int nId) { return Frame().GetAction(nId)->isEnabled(); };
    auto checked = [this](int nId) { return Frame().GetAction(nId)->isChecked(); };
    EXPECT_TRUE(enabled(Cmd::ID_ENTER_SIMULATION));
    EXPECT_FALSE(enabled(Cmd::ID_LEAVE_SIMULATION));
    EXPECT_FALSE(enabled(Cmd::ID_SET_BREAKPOINTS));
    EXPECT_FALSE(enabled(Cmd::ID_WRITE_CASE_CLASS));
    EXPECT_FALSE(enabled(Cmd::ID_COMPUTE_ALL_REACHABLE));
    EXPECT_FALSE(enabled(Cmd::ID_CASE_CLASS_VERIFICATION));
    EXPECT_TRUE(enabled(Cmd::ID_NET_EXPORT_XML));
    EXPECT_FALSE(enabled(Cmd::ID_SHOW_SIMULATING_SYSTEM));
    EXPECT_TRUE(enabled(Cmd::ID_SHOW_NET_DESIGN));
    EXPECT_TRUE(checked(Cmd::ID_SHOW_NET_DESIGN));
    // The case graph and occurrence net views are not part of this version.
    EXPECT_FALSE(enabled(Cmd::ID_SHOW_CASE_GRAPH));
    EXPECT_FALSE(enabled(Cmd::ID_SHOW_OCCURRENCE_NET));
    EXPECT_FALSE(enabled(Cmd::ID_CASE_GRAPH_EXPORT_EMF));
    EXPECT_FALSE(enabled(Cmd::ID_OCCURRENCE_NET_EXPORT_EMF));
    EXPECT_FALSE(enabled(Cmd::ID_SMOOTH_CASE_GRAPH));
    EXPECT_TRUE(checked(Cmd::ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(checked(Cmd::ID_VIEW_OUTPUT));
    EXPECT_FALSE(checked(Cmd::ID_VIEW_FULL_SCREEN));
    EXPECT_FALSE(enabled(Cmd::ID_LEAVE_FULL_SCREEN));
    EXPECT_FALSE(checked(Cmd::ID_VIEW_PROPERTIES_BAR));
    EXPECT_TRUE(enabled(57664));
}

TEST_F(MainFrameMenus, UpdateRulesInSimulationMode) {
    ASSERT_TRUE(Frame().OpenDocumentFile(Data("valid/occurrence.zrn")));
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    QStringList lines;
    QListWidget* pStandard = Frame().GetOutputBar().GetListBox(0);
    for (int i = 0; i < pStandard->count(); ++i)
        lines.append(pStandard->item(i)->text());
    ASSERT_TRUE(Doc().m_bSimulation) << lines.join(QLatin1Char('\n')).toStdString();
    for (QMenu* pMenu : Frame().GetMenus())
        emit pMenu->aboutToShow();
    auto enabled = [this](int nId) { return Frame().GetAction(nId)->isEnabled(); };
    EXPECT_FALSE(enabled(Cmd::ID_ENTER_SIMULATION));
    EXPECT_TRUE(enabled(Cmd::ID_LEAVE_SIMULATION));
    EXPECT_TRUE(enabled(Cmd::ID_SET_BREAKPOINTS));
    EXPECT_TRUE(enabled(Cmd::ID_WRITE_CASE_CLASS));
    EXPECT_TRUE(enabled(Cmd::ID_COMPUTE_ALL_REACHABLE));
    EXPECT_FALSE(enabled(Cmd::ID_NET_EXPORT_XML));
    EXPECT_TRUE(enabled(Cmd::ID_SHOW_SIMULATING_SYSTEM));
    EXPECT_TRUE(Frame().GetAction(Cmd::ID_SHOW_SIMULATING_SYSTEM)->isChecked());
    // Entering shows the output bar and the simulation page.
    EXPECT_TRUE(Frame().IsOutputShown());
    EXPECT_EQ(Frame().GetCurrentPage(), Frame().GetPage(PAGE_SIMULATION));

    // "Set Breakpoints" runs its dialog modally.
    Frame().OnCommand(Cmd::ID_SET_BREAKPOINTS);
    EXPECT_EQ(m_prompt.dialogs.size(), 1);

    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    EXPECT_FALSE(Doc().m_bSimulation);
    EXPECT_TRUE(Frame().GetAction(Cmd::ID_ENTER_SIMULATION)->isEnabled());
}

TEST_F(MainFrameMenus, ADisabledCommandDoesNothing) {
    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    EXPECT_FALSE(Doc().m_bSimulation);
    Frame().OnCommand(Cmd::ID_SET_BREAKPOINTS);
    EXPECT_TRUE(m_prompt.dialogs.isEmpty());
}

TEST_F(MainFrameMenus, GridAndRulerFollowTheDocument) {
    ASSERT_TRUE(Doc().m_bGrid);
    EXPECT_TRUE(Frame().GetCommandState(Cmd::ID_VIEW_GRID).checked);
    Frame().OnCommand(Cmd::ID_VIEW_GRID);
    EXPECT_FALSE(Doc().m_bGrid);
    EXPECT_FALSE(Frame().GetAction(Cmd::ID_VIEW_GRID)->isChecked());
    EXPECT_TRUE(Frame().isWindowModified());
    Frame().OnCommand(Cmd::ID_VIEW_RULER);
    EXPECT_TRUE(Doc().m_bRuler);
    EXPECT_TRUE(Frame().GetAction(Cmd::ID_VIEW_RULER)->isChecked());
}

TEST_F(MainFrameMenus, AboutBoxShowsTheVersion) {
    Frame().OnCommand(57664);
    ASSERT_EQ(m_prompt.dialogs.size(), 1);
    EXPECT_EQ(m_prompt.dialogs[0], QStringLiteral("About Zerin"));
}

} // namespace
