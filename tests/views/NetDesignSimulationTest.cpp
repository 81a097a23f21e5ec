#include "ViewFixture.h"
#include "views/CommandIds.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QTimer>

using View = CZerinNetDesignView;
using Lines = std::vector<std::string>;

namespace {

class SimulationFixture : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        DrawOneEventNet();
        e1 = All<CPNEvent>()[0];
        b1 = All<CPNCondition>()[0];
        b2 = All<CPNCondition>()[1];
        doc.Simulation().Enter();
        ASSERT_TRUE(doc.Simulation().IsActive());
        sink.Reset();
    }
    std::string CaseText() const {
        std::string text;
        for (const CPNCondition* c : doc.Simulation().CurrentCase())
            text += Name(c) + " ";
        return text;
    }
    CPNEvent* e1 = nullptr;
    CPNCondition* b1 = nullptr;
    CPNCondition* b2 = nullptr;
};

} // namespace

TEST_F(SimulationFixture, OnlyEnabledEventsAreSelectedByClickAndBand) {
    EXPECT_TRUE(e1->m_bEnabled);
    Click(QPoint(100, 100)); // a condition
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));
    Click(QPoint(200, 100));
    EXPECT_EQ(doc.Selection().Elements(), std::list<CPNElement*>{e1});
    // Selecting in simulation mode shows no element page.
    EXPECT_EQ(host.pages.back(), PAGE_SIMULATION);

    Click(QPoint(380, 280));
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));
    Press(QPoint(50, 30));
    Move(QPoint(51, 31));
    Move(QPoint(350, 150));
    Release(QPoint(350, 150));
    EXPECT_EQ(doc.Selection().Elements(), std::list<CPNElement*>{e1});

    // Nothing moves in simulation mode.
    Press(QPoint(200, 100));
    Move(QPoint(201, 100));
    Move(QPoint(200, 150));
    Release(QPoint(200, 150));
    EXPECT_EQ(e1->m_ptPos, CPoint(200, 100));
}

TEST_F(SimulationFixture, DoubleClickFiresWithTenFramesPerPhase) {
    Click(QPoint(200, 100));
    EXPECT_TRUE(State(Cmd::ID_EXECUTE_STEP).enabled);
    frame.buttons.clear();
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(view->GetFramesShown(), 2 * View::kFramesPerPhase);
    EXPECT_EQ(Pane(PANE_SIMULATION), Lines{"Executed step { e1 }, new case is { b2 }"});
    EXPECT_EQ(CaseText(), "b2 ");
    EXPECT_TRUE(b2->m_bToken);
    EXPECT_FALSE(b1->m_bToken);
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));
    EXPECT_FALSE(view->IsAnimating());
    EXPECT_EQ(frame.buttons, (std::vector<std::vector<bool>>{{false, false, false, false},
                                                             {true, true, false, true}}));
    // Now e1 has no concession: it cannot be chosen.
    Click(QPoint(200, 100));
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));
}

// A right click offers what can be done to an element: in simulation an event with
// concession fires alone; in design its page, delete and the drawing order.
TEST_F(SimulationFixture, TheContextMenuOffersWhatCanBeDoneToTheElement) {
    view->menuChoice = "Fire";
    QContextMenuEvent onEvent(QContextMenuEvent::Mouse, QPoint(200, 100),
                              Port()->mapToGlobal(QPoint(200, 100)));
    QApplication::sendEvent(Port(), &onEvent);
    EXPECT_EQ(view->menuItems, (QStringList{"Fire", "", "Execute Step"}));
    EXPECT_EQ(Pane(PANE_SIMULATION), Lines{"Executed step { e1 }, new case is { b2 }"});

    doc.Simulation().Leave();
    view->OnUpdate();
    doc.Selection().Clear();
    view->menuChoice = "Delete";
    QContextMenuEvent onCondition(QContextMenuEvent::Mouse, QPoint(100, 100),
                                  Port()->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(Port(), &onCondition);
    EXPECT_EQ(view->menuItems, (QStringList{"Properties", "Delete", "Bring to Front",
                                            "Send to Back", "", "View Grid"}));
    EXPECT_EQ(All<CPNCondition>().size(), 1u);
    doc.History().Checkpoint();
    EXPECT_EQ(doc.History().UndoText(), "Delete");
}

// Stop, or Esc, ends an automatic run at once: the step under way finishes without
// waiting for its frames.
TEST_F(SimulationFixture, StopAndEscapeEndTheRunWithinAFifthOfASecond) {
    doc.Simulation().SetSpeed(100); // 3 s a step
    for (const bool bEscape : {false, true}) {
        doc.Simulation().Reset();
        QElapsedTimer clock;
        QTimer::singleShot(150, view.get(), [&] {
            clock.start();
            if (bEscape)
                QTest::keyClick(Port(), Qt::Key_Escape);
            else
                view->OnCommand(Cmd::ID_SIM_STOP);
        });
        view->OnCommand(Cmd::ID_SIM_START);
        EXPECT_LT(clock.elapsed(), 200) << bEscape;
        EXPECT_FALSE(view->IsAutoRunning() || view->IsInAnimationLoop());
        EXPECT_EQ(Pane(PANE_SIMULATION).back(), "Automatic simulation stopped");
    }
}
