#include "ViewFixture.h"
#include "support/DocAccess.h"
#include "views/CommandIds.h"

#include "document/CAutomaticRun.h"
#include "occurrence/COccurrenceNet.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "support/NetFamilies.h"
#include "views/CZerinOccurrenceNetView.h"

#include <QContextMenuEvent>

using TestOccurrenceNetView = RecordingView<CZerinOccurrenceNetView>;

class OccurrenceNetViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildNetFromText(NetOf(doc), "a* b; e: a -> b; f: b -> a");
        doc.Simulation().Enter();
        ASSERT_TRUE(doc.Record().contactFree);
        view = std::make_unique<TestOccurrenceNetView>(doc, host);
        frame.view = view.get();
        view->resize(500, 400);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        // Title tips show only in the active application.
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        view->OnInitialUpdate();
    }
    void TearDown() override { frame.view = nullptr; }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(doc.Simulation().ChooseAutomaticStep(CAutomaticRun::CHOOSE_LARGEST));
            CAutomaticRun::ExecuteStepWithoutAnimation(doc);
        }
    }
    COccurrenceNet& Net() { return OccurrenceOf(doc); }
    template <class T> T* First() {
        for (CPNElement* e : Net().m_listElements)
            if (auto* t = dynamic_cast<T*>(e))
                return t;
        return nullptr;
    }
    std::vector<CPoint> Positions() {
        std::vector<CPoint> result;
        for (const CPNElement* e : Net().m_listElements)
            result.push_back(e->m_ptPos);
        return result;
    }
    QPoint At(CPoint pt) const {
        const CPoint scroll = view->GetScrollPosition();
        return QPoint(pt.x - scroll.x, pt.y - scroll.y);
    }
    void RightClick(CPoint pt) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, At(pt),
                                view->viewport()->mapToGlobal(At(pt)));
        QApplication::sendEvent(view->viewport(), &event);
    }

    RecordingOutputSink sink;
    ViewFrame frame;
    CZerinDoc doc{frame};
    FakeViewHost host;
    std::unique_ptr<TestOccurrenceNetView> view;
};

TEST_F(OccurrenceNetViewTest, EachShowingLaysOutOnlyWhatWasRecordedSince) {
    Steps(3);
    view->Refresh();
    const CSize first = view->GetExtent();
    EXPECT_GT(first.cx, 100);
    EXPECT_FALSE(sink.panes[PANE_OCCURRENCENET_LEGEND].empty());
    // Moved by the user, then shown again without a step: nothing moves.
    CPNPlace* place = First<CPNPlace>();
    place->MoveTo(CPoint(place->m_ptPos.x, place->m_ptPos.y + 40));
    const std::vector<CPoint> before = Positions();
    view->Refresh();
    EXPECT_EQ(Positions(), before);
    // Two more steps: the new columns are laid out, the old ones stay, the page grows.
    Steps(2);
    view->Refresh();
    const std::vector<CPoint> after = Positions();
    ASSERT_GT(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    EXPECT_GT(view->GetExtent().cx, first.cx);

    // Outside simulation the page is the record's extent and rearranging keeps it.
    doc.Simulation().Leave();
    view->Refresh();
    EXPECT_EQ(view->GetExtent(), Net().m_sizeNet);
    EXPECT_EQ(Positions(), after);
}

TEST_F(OccurrenceNetViewTest, InSimulationAHoverNamesAndAClickSelectsNothing) {
    Steps(1);
    view->Refresh();
    CPNOccurrence* occurrence = First<CPNOccurrence>();
    ASSERT_NE(occurrence, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(occurrence->m_ptPos));
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));
    QTest::mouseMove(view->viewport(), At(occurrence->m_ptPos));
    EXPECT_EQ(view->GetTitleTip().GetLines(),
              QStringList{QString::fromStdString(occurrence->m_strName)});
    EXPECT_FALSE(occurrence->m_strName.empty());

    // No case commands here; an empty place has no menu in simulation.
    CCommandState state;
    EXPECT_FALSE(view->OnUpdateCommand(Cmd::ID_SET_ACTUAL_CASE, state));
    RightClick(CPoint(5, 5));
    EXPECT_EQ(view->menus, 0);
}

TEST_F(OccurrenceNetViewTest, MenusOfASelectedEdgeAndOfEmptySpace) {
    Steps(2);
    view->Refresh();
    doc.Simulation().Leave();
    view->Refresh();
    CPNEdge* edge = First<CPNEdge>();
    ASSERT_NE(edge, nullptr);
    const CPoint middle = std::next(edge->m_listPoints.begin())->m_pt;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(middle));
    ASSERT_TRUE(doc.Selection().IsSelected(edge));
    RightClick(middle);
    // An edge of the record is no free element: it can be moved up or down, not deleted.
    EXPECT_EQ(view->menuItems, (QStringList{"Delete", "Bring to Front", "Send to Back", "",
                                            "Delete Point", "Delete All Points"}));
    EXPECT_FALSE(view->menuEnabled.front());
    RightClick(CPoint(5, 5));
    EXPECT_EQ(view->menuItems, QStringList{"View Grid"});
}
