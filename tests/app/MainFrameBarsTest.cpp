#include "FrameFixture.h"
#include "support/DocAccess.h"
#include "app/bars/CNavigatorBar.h"
#include "app/bars/COutputBar.h"
#include "app/frame/CGuiFrameServices.h"
#include "support/NetFamilies.h"
#include "views/CDiagramView.h"
#include "views/CZerinCaseGraphView.h"
#include "views/CommandIds.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

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

// An export asks where with its format's caption and filter, proposing the document's
// name (or the diagram's) with the format's extension; a name typed without one gets it.
// A write that fails is shown; a cancelled one does nothing.
TEST_F(MainFrameBars, ExportsAskWithTheirFormatAndSayWhyNot) {
    m_prompt.savePath = Scratch("net");
    Frame().OnCommand(Cmd::ID_NET_EXPORT_EMF);
    EXPECT_EQ(m_prompt.captions.value(0), QStringLiteral("Export To EMF"));
    EXPECT_EQ(m_prompt.filters.value(0), QStringLiteral("Net Design (*.emf);;All files (*.*)"));
    EXPECT_EQ(m_prompt.defaults.value(0), QStringLiteral("Untitled.emf"));
    EXPECT_EQ(m_prompt.suffixes.value(0), QStringLiteral("emf"));
    EXPECT_GT(QFileInfo(Scratch("net.emf")).size(), 100);
    EXPECT_TRUE(m_prompt.messages.isEmpty());

    m_prompt.savePath = Scratch("missing/folder/net.xml");
    Frame().OnCommand(Cmd::ID_NET_EXPORT_XML);
    EXPECT_EQ(m_prompt.captions.value(1), QStringLiteral("Export To XML"));
    EXPECT_EQ(m_prompt.filters.value(1), QStringLiteral("XML file (*.xml);;All files (*.*)"));
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_TRUE(m_prompt.messages[0].contains(QStringLiteral("missing/folder/net.xml")));

    m_prompt.savePath.clear();
    Frame().OnCommand(Cmd::ID_NET_EXPORT_PNML);
    EXPECT_EQ(m_prompt.defaults.value(2), QStringLiteral("Untitled.pnml"));
    EXPECT_EQ(m_prompt.messages.size(), 1);
}

// View > Navigator shows the whole page framing what the view shows; a click in it
// brings that place to the middle of the view, and the frame follows the view.
TEST_F(MainFrameBars, TheNavigatorFramesTheViewAndMovesIt) {
    Frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    CNavigatorBar& navigator = Frame().GetNavigator();
    EXPECT_FALSE(navigator.isVisible());
    Frame().OnCommand(Cmd::ID_VIEW_NAVIGATOR);
    ASSERT_TRUE(navigator.isVisible());
    EXPECT_TRUE(Frame().GetCommandState(Cmd::ID_VIEW_NAVIGATOR).checked);
    CDiagramView* view = Frame().GetActiveView();
    view->SetZoom(400);
    navigator.Poll();
    const QRect framed = navigator.GetFrameRect();
    const CRect visible = view->GetVisibleRect();
    EXPECT_LE(
        (navigator.ToNavigator(visible.TopLeft()) - QPointF(framed.topLeft())).manhattanLength(),
        2);
    QWidget* canvas = navigator.widget();
    const CSize extent = view->GetExtent();
    const CPoint middle(extent.cx / 2, extent.cy / 2);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, navigator.ToNavigator(middle).toPoint());
    const CRect shown = view->GetVisibleRect();
    const CPoint centre = shown.CenterPoint();
    // Within what one navigator pixel stands for.
    const double unit =
        1.0 /
        (navigator.ToNavigator(CPoint(1000, 0)).x() - navigator.ToNavigator(CPoint(0, 0)).x()) *
        1000;
    EXPECT_LE(std::abs(centre.x - middle.x), unit + 2);
    EXPECT_LE(std::abs(centre.y - middle.y), unit + 2);
    EXPECT_NE(navigator.GetFrameRect(), framed);
    Frame().OnCommand(Cmd::ID_VIEW_NAVIGATOR);
    EXPECT_FALSE(navigator.isVisible());
}

// "Overview Limits..." keeps the limits in the settings and gives them to the case graph
// view: a ring of 12 cases opens on its overview past 10 cases, and on the whole graph
// again when the limit is raised.
TEST_F(MainFrameBars, OverviewLimitsAreKeptAndApplied) {
    int cases = 10;
    m_prompt.dialogAnswer = [&cases](QDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("cases"))->setValue(cases);
        dialog.findChild<QSpinBox*>(QStringLiteral("steps"))->setValue(1000);
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    Frame().OnCommand(Cmd::ID_OVERVIEW_LIMITS);
    EXPECT_EQ(QSettings().value(QStringLiteral("CaseGraph/OverviewCases")).toInt(), 10);
    BuildNetFromText(NetOf(Doc()), RingNetText(12));
    Doc().SetNetModified();
    Doc().Simulation().Enter();
    Frame().ShowCaseGraph();
    auto* view = dynamic_cast<CZerinCaseGraphView*>(Frame().GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->GetOverview(), nullptr);
    cases = 20;
    Frame().OnCommand(Cmd::ID_OVERVIEW_LIMITS);
    EXPECT_EQ(view->GetOverview(), nullptr);
    EXPECT_EQ(QSettings().value(QStringLiteral("CaseGraph/OverviewCases")).toInt(), 20);
}

// Dragging the output caption sets the bar's height down to the status bar, at least
// 100 pixels.
TEST_F(MainFrameBars, DraggingTheOutputCaptionResizesTheBar) {
    Frame().resize(800, 600);
    Frame().show();
    Frame().OnCommand(Cmd::ID_VIEW_OUTPUT);
    COutputBar& bar = Frame().GetOutputBar();
    QWidget* pCaption = bar.titleBarWidget();
    const int nBottom = Frame().mapToGlobal(QPoint(0, Frame().height())).y();
    const int nStatus = bar.GetTopOffset();
    for (auto [nAbove, nHeight] : {std::pair{250, 250}, {20, COutputBar::MINIMUM_HEIGHT}}) {
        QTest::mousePress(pCaption, Qt::LeftButton, {}, QPoint(10, 5));
        const QPoint target = pCaption->mapFromGlobal(QPoint(0, nBottom - nStatus - nAbove));
        QMouseEvent move(QEvent::MouseMove, QPointF(10, target.y()),
                         QPointF(pCaption->mapToGlobal(QPoint(10, target.y()))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pCaption, &move);
        QTest::mouseRelease(pCaption, Qt::LeftButton);
        EXPECT_EQ(bar.GetStoredHeight(), nHeight);
    }
}

// A page first floats at the top-right corner of the view area, inside the window, and
// comes back there when the place it had lies on no screen.
TEST_F(MainFrameBars, PagesFloatInsideTheViewsTopRightCorner) {
    Frame().setGeometry(20, 40, 760, 520);
    Frame().show();
    QWidget* pView = Frame().centralWidget();
    const QRect area(pView->mapToGlobal(QPoint(0, 0)), pView->size());
    for (int nTry = 0; nTry < 2; ++nTry) {
        Frame().ShowPropertiesPage(PAGE_SIMULATION, nullptr);
        const QRect page = Frame().GetCurrentPage()->frameGeometry();
        EXPECT_TRUE(area.contains(page.topLeft()) && area.contains(page.topRight()))
            << nTry << ": " << page.x() << "," << page.y();
        EXPECT_GT(page.center().x(), area.center().x());
        Frame().GetCurrentPage()->move(-5000, -5000);
        Frame().ShowPropertiesPage(PAGE_HIDE, nullptr);
    }
}

} // namespace
