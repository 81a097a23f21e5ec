#include "FrameFixture.h"
#include "views/CDiagramView.h"
#include "app/CommandIds.h"
#include "app/COutputBar.h"
#include "app/CAboutDlg.h"

#include "app/CDlgPropertiesBar.h"
#include "base/OutputWriter.h"


namespace {

using MainFrameBars = FrameFixture;

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
