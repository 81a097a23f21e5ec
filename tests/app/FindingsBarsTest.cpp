// The lists of findings in the main window: the property list opened from the Analysis
// menu (a formula added, a wrong one showing the parser's column, verdicts with their
// engine), Show Witness playing a run in the token game to its last case and marking it
// in the case graph, and the structure list highlighting an invariant until Esc.

#include "FrameFixture.h"

#include "app/bars/CPropertyListBar.h"
#include "app/bars/CStructureListBar.h"
#include "app/bars/CWitnessBar.h"
#include "app/controls/CFormulaEdit.h"
#include "casegraph/CPNCase.h"
#include "document/CAutomaticRun.h"
#include "findings/CWitnessReplay.h"
#include "model/CNetStructure.h"
#include "model/CPNEvent.h"
#include "occurrence/COccurrenceNet.h"
#include "questions/CQuestionRegistry.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>

namespace {

class FindingsBars : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        ASSERT_TRUE(Frame().OpenExample(QStringLiteral("philosophers")));
        Doc().Simulation().SetSpeed(1);
        Frame().OnCommand(Cmd::ID_PROPERTY_LIST);
    }
    CPropertyListBar& Bar() { return Frame().GetPropertyList(); }
    QString Cell(int nRow, int nColumn) {
        return Bar().GetList().topLevelItem(nRow)->text(nColumn);
    }
    void Add(const char* szFormula) {
        Bar().GetEditor().setText(QString::fromUtf8(szFormula));
        ASSERT_TRUE(Bar().AddFormula());
    }
};

} // namespace

TEST_F(FindingsBars, FormulasAreAddedCheckedAndShownWithTheirEngine) {
    EXPECT_TRUE(Frame().IsPropertyListVisible());
    EXPECT_EQ(Bar().GetEditor().GetWords().count(QStringLiteral("eat_0")), 1);
    Add("EF eat_0");
    Add("AG !(eat_0 & eat_1)");
    Add("EF (eat_0 &");
    // The wrong one says where, and is marked, not checked.
    EXPECT_TRUE(Bar().GetFault().isVisibleTo(&Bar()));
    EXPECT_TRUE(Bar().GetFault().text().contains(QStringLiteral("column 12")))
        << Bar().GetFault().text().toStdString();
    EXPECT_TRUE(Bar().GetEditor().HasFault());
    ASSERT_TRUE(Bar().AddExamination(QStringLiteral("ReachabilityDeadlock")));
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_TRUE(Bar().CheckAll());
    EXPECT_EQ(Cell(0, CPropertyListBar::kColumnVerdict), QStringLiteral("TRUE"));
    EXPECT_EQ(Cell(1, CPropertyListBar::kColumnVerdict), QStringLiteral("TRUE"));
    EXPECT_EQ(Cell(2, CPropertyListBar::kColumnVerdict), QStringLiteral("wrong"));
    EXPECT_EQ(Cell(3, CPropertyListBar::kColumnVerdict), QStringLiteral("FALSE"));
    EXPECT_TRUE(Cell(0, CPropertyListBar::kColumnEngine).contains(QStringLiteral("EXPLICIT")));
    EXPECT_FALSE(Cell(0, CPropertyListBar::kColumnTime).isEmpty());
    // Edited, the line's verdict goes until it is checked again.
    Bar().Choose(Bar().GetModel().List().Lines()[0].serial);
    Bar().GetEditor().setText(QStringLiteral("EF (eat_0 & eat_1)"));
    ASSERT_TRUE(Bar().ReplaceFormula());
    EXPECT_EQ(Cell(0, CPropertyListBar::kColumnVerdict), QString());
    ASSERT_TRUE(Bar().CheckChosen());
    EXPECT_EQ(Cell(0, CPropertyListBar::kColumnVerdict), QStringLiteral("FALSE"));
}

TEST_F(FindingsBars, ShowWitnessPlaysTheRunToItsLastCaseAndMarksIt) {
    Add("EF (eat_0 & think_1)");
    ASSERT_TRUE(Bar().CheckAll());
    const std::uint64_t serial = Bar().GetModel().List().Lines()[0].serial;
    const CRun run = *Bar().GetModel().FindingOf(serial).run;
    Bar().Choose(serial);
    ASSERT_TRUE(Bar().ShowWitness());
    EXPECT_TRUE(Doc().Simulation().IsActive());
    CWitnessBar& witness = Bar().GetWitnessBar();
    ASSERT_TRUE(witness.IsPlaying());
    EXPECT_TRUE(witness.isVisibleTo(&Bar()));
    // Every step fired has concession where it fires.
    while (witness.GetReplay()->CanForward()) {
        const std::size_t at = witness.GetReplay()->Position();
        const CPNEvent* event = witness.GetReplay()->EventAt(at);
        EXPECT_TRUE(Doc().Simulation().CurrentCase().HasConcession(
            event->m_setPreConditions, event->m_setPostConditions, true));
        ASSERT_TRUE(witness.StepForward());
    }
    EXPECT_EQ(witness.GetReplay()->Position(), run.events.size());
    EXPECT_TRUE(Doc().Simulation().CurrentCase().IsEqual(
        witness.GetReplay()->CaseAfter(run.events.size())));
    EXPECT_EQ(Doc().OccurrenceNet().m_nOccurrences, static_cast<int>(run.events.size()));
    std::size_t marked = 0;
    for (const CPNCase* node : Doc().CaseGraph().Cases())
        marked += node->m_bOnPath ? 1 : 0;
    EXPECT_EQ(marked, run.cases.size());
    // Back and to the start again.
    ASSERT_TRUE(witness.StepBack());
    EXPECT_EQ(Doc().OccurrenceNet().m_nOccurrences, static_cast<int>(run.events.size() - 1));
    ASSERT_TRUE(witness.ToStart());
    EXPECT_TRUE(Doc().Simulation().CurrentCase().IsEqual(Doc().Simulation().InitialCase()));
    // Leaving the simulation leaves the run where it is; an edit of the net ends it.
    Frame().OnCommand(Cmd::ID_LEAVE_SIMULATION);
    Bar().Poll();
    EXPECT_FALSE(witness.StepForward());
    EXPECT_FALSE(Bar().GetModel().IsStale(serial));
}

TEST_F(FindingsBars, TheStructureListHighlightsAnInvariantUntilEsc) {
    Frame().AskQuestion(*Questions().Find("invariants"));
    CStructureListBar& list = Frame().GetStructureList();
    EXPECT_FALSE(list.isHidden());
    const auto invariants = list.GetList().ItemsOf(CStructureList::EKind::SInvariant);
    ASSERT_FALSE(invariants.empty());
    list.Choose(static_cast<int>(invariants.front()));
    const CStructureList::Item& item = list.GetList().Items()[invariants.front()];
    EXPECT_EQ(list.GetHighlight().Count(), item.elements.size());
    for (const int c : item.elements)
        EXPECT_TRUE(list.GetHighlight().IsMarked(list.GetList().Net()->Conditions()[c]));
    QTest::keyClick(Frame().GetNetDesignView(), Qt::Key_Escape);
    EXPECT_TRUE(list.GetHighlight().IsEmpty());
    // In simulation each S-invariant's value in the current case stands beside its initial
    // one, and stays so along the token game's steps.
    Frame().OnCommand(Cmd::ID_ENTER_SIMULATION);
    const QTreeWidgetItem* group = list.GetTree().topLevelItem(0);
    bool moved = false;
    for (int step = 0; step < 6; ++step) {
        list.Poll();
        moved =
            moved || !Doc().Simulation().CurrentCase().IsEqual(Doc().Simulation().InitialCase());
        for (int i = 0; i < group->childCount(); ++i) {
            EXPECT_FALSE(group->child(i)->text(CStructureListBar::kColumnNow).isEmpty());
            EXPECT_EQ(group->child(i)->text(CStructureListBar::kColumnNow),
                      group->child(i)->text(CStructureListBar::kColumnValue));
        }
        ASSERT_TRUE(Doc().Simulation().ChooseAutomaticStep(1));
        CAutomaticRun::ExecuteStepWithoutAnimation(Doc());
    }
    EXPECT_TRUE(moved);
}
