#include "FrameFixture.h"

#include "app/CAboutDlg.h"
#include "app/CDlgPropertiesBar.h"
#include "app/COutputBar.h"
#include "app/CommandIds.h"
#include "base/OutputWriter.h"
#include "views/CDiagramView.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

using MainFrameBars = FrameFixture;

TEST_F(MainFrameBars, OnePageAtATimeWhereThePreviousOneWas) {
    Frame().show();
    CDlgPropertiesBar* pCondition = Frame().GetPage(PAGE_CONDITION);
    CDlgPropertiesBar* pEvent = Frame().GetPage(PAGE_EVENT);
    EXPECT_EQ(pCondition->windowTitle(), QStringLiteral("Properties - Condition"));
    EXPECT_EQ(Frame().GetCurrentPage(), nullptr);

    Frame().ShowPropertiesPage(PAGE_CONDITION, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), pCondition);
    EXPECT_FALSE(pCondition->isHidden());
    EXPECT_TRUE(pCondition->isFloating());
    pCondition->move(300, 200);
    const QPoint ptWhere = pCondition->GetFloatingOrigin();

    Frame().ShowPropertiesPage(PAGE_EVENT, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), pEvent);
    EXPECT_TRUE(pCondition->isHidden());
    EXPECT_FALSE(pEvent->isHidden());
    EXPECT_EQ(pEvent->GetFloatingOrigin(), ptWhere);

    int nVisible = 0;
    for (int nKind : {PAGE_POLYGON, PAGE_LABEL, PAGE_CONDITION, PAGE_EVENT, PAGE_SIMULATION})
        nVisible += Frame().GetPage(nKind)->isHidden() ? 0 : 1;
    EXPECT_EQ(nVisible, 1);

    // "Properties Bar" hides and shows the current page.
    EXPECT_TRUE(Frame().GetCommandState(Cmd::ID_VIEW_PROPERTIES_BAR).checked);
    Frame().OnCommand(Cmd::ID_VIEW_PROPERTIES_BAR);
    EXPECT_TRUE(pEvent->isHidden());
    EXPECT_FALSE(Frame().GetCommandState(Cmd::ID_VIEW_PROPERTIES_BAR).checked);
    Frame().OnCommand(Cmd::ID_VIEW_PROPERTIES_BAR);
    EXPECT_FALSE(pEvent->isHidden());

    Frame().ShowPropertiesPage(PAGE_HIDE, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), nullptr);
    EXPECT_TRUE(pEvent->isHidden());
    EXPECT_EQ(Frame().GetPageFloat(), ptWhere);

    // Hiding twice, or toggling without a page, is harmless.
    Frame().ShowPropertiesPage(PAGE_HIDE, nullptr);
    Frame().OnCommand(Cmd::ID_VIEW_PROPERTIES_BAR);
    EXPECT_EQ(Frame().GetCurrentPage(), nullptr);

    Frame().ShowPropertiesPage(PAGE_SIMULATION, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), Frame().GetPage(PAGE_SIMULATION));
    EXPECT_EQ(Frame().GetPage(PAGE_SIMULATION)->GetFloatingOrigin(), ptWhere);
    // An unknown kind changes nothing.
    Frame().ShowPropertiesPage(9, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), Frame().GetPage(PAGE_SIMULATION));
}

TEST_F(MainFrameBars, PagesNeverDock) {
    for (int nKind : {PAGE_POLYGON, PAGE_LABEL, PAGE_CONDITION, PAGE_EVENT, PAGE_SIMULATION}) {
        CDlgPropertiesBar* pPage = Frame().GetPage(nKind);
        EXPECT_EQ(pPage->allowedAreas(), Qt::NoDockWidgetArea);
        EXPECT_FALSE(pPage->features() & QDockWidget::DockWidgetFloatable);
    }
    EXPECT_EQ(Frame().GetOutputBar().allowedAreas(), Qt::BottomDockWidgetArea);
    EXPECT_EQ(Frame().dockWidgetArea(&Frame().GetOutputBar()), Qt::BottomDockWidgetArea);
}

TEST_F(MainFrameBars, TitleFollowsTheDocument) {
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Untitled[*] - Zerin"));
    EXPECT_FALSE(Frame().isWindowModified());
    Doc().SetModifiedFlag(true);
    EXPECT_TRUE(Frame().isWindowModified());
    Doc().SetTitle("other");
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("other[*] - Zerin"));
    Doc().SetModifiedFlag(false);
    EXPECT_FALSE(Frame().isWindowModified());
}

} // namespace
