#include "app/dialogs/CCaseGraphProgressDialog.h"
#include "app/dialogs/CDlgBreakPoints.h"
#include "app/dialogs/CDlgCaseClassAnalysis.h"
#include "engines/CCaseEngine.h"
#include "engines/CaseClassSearch.h"
#include "document/CBreakPoints.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

QStringList Texts(const QListWidget* pList) {
    QStringList texts;
    for (int i = 0; i < pList->count(); ++i)
        texts << pList->item(i)->text();
    return texts;
}

class BreakPointsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* szName : {"p", "q", "r"}) {
            m_labels.push_back(std::make_unique<CPNLabel>(0, 0));
            m_labels.back()->m_strText = szName;
            m_conditions.push_back(std::make_unique<CPNCondition>(0, 30, m_labels.back().get()));
        }
        // Offered in node order, shown sorted by text.
        m_data.m_arrCases = {Case({2}), Case({0, 1}), Case({0})};
        m_data.m_nCases = 3;
        m_data.m_bNeedsRefill = false;
        m_data.ResetAll();
    }

    CSetConditions Case(std::initializer_list<int> members) {
        CSetConditions c;
        for (int i : members)
            c.Add(m_conditions[static_cast<std::size_t>(i)].get());
        return c;
    }
    static QPushButton* Button(CDlgBreakPoints& dialog, int nId) {
        return dialog.findChild<QPushButton*>(QString::number(nId));
    }
    static void ButtonsAre(CDlgBreakPoints& dialog, bool bAdd, bool bRemove, bool bClear) {
        EXPECT_EQ(Button(dialog, 1039)->isEnabled(), bAdd);
        EXPECT_EQ(Button(dialog, 1040)->isEnabled(), bRemove);
        EXPECT_EQ(Button(dialog, 1041)->isEnabled(), bClear);
    }
    static void Finish(CDlgBreakPoints& dialog, QDialogButtonBox::StandardButton button) {
        QTimer::singleShot(0, &dialog, [&dialog, button] {
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(button),
                              Qt::LeftButton);
        });
        dialog.exec();
    }

    std::vector<std::unique_ptr<CPNLabel>> m_labels;
    std::vector<std::unique_ptr<CPNCondition>> m_conditions;
    CBreakPoints m_data;
};

TEST_F(BreakPointsDialogTest, MovingBothWaysAndOkKeepsTheLists) {
    CDlgBreakPoints dialog(m_data);
    dialog.GetAvailableList()->setCurrentRow(2); // { r }
    QTest::mouseClick(Button(dialog, 1039), Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.GetBreakList()), QStringList{"{ r }"});
    EXPECT_EQ(dialog.GetBreakList()->currentItem()->text(), "{ r }");
    EXPECT_EQ(dialog.GetAvailableList()->currentRow(), 0);
    ButtonsAre(dialog, true, true, true);

    QTest::mouseClick(Button(dialog, 1039), Qt::LeftButton); // { p }
    QTest::mouseClick(Button(dialog, 1039), Qt::LeftButton); // { p, q }
    EXPECT_EQ(dialog.GetAvailableList()->count(), 0);
    ButtonsAre(dialog, false, true, true);
    EXPECT_EQ(Texts(dialog.GetBreakList()), (QStringList{"{ p }", "{ p, q }", "{ r }"}));

    dialog.GetBreakList()->setCurrentRow(1); // { p, q }
    QTest::mouseClick(Button(dialog, 1040), Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.GetAvailableList()), QStringList{"{ p, q }"});
    EXPECT_EQ(dialog.GetBreakList()->currentRow(), 0);
    ButtonsAre(dialog, true, true, true);

    Finish(dialog, QDialogButtonBox::Ok);
    // In list order: { p } is case 2, { r } case 0.
    EXPECT_EQ(m_data.m_arrBreak, (std::vector<std::uint32_t>{2, 0}));
    EXPECT_EQ(m_data.m_nBreak, 2);
    EXPECT_EQ(m_data.m_arrAvailable, std::vector<std::uint32_t>{1});
    EXPECT_EQ(m_data.m_nAvailable, 1);
    EXPECT_TRUE(m_data.IsBreakpoint(Case({2})));
    EXPECT_TRUE(m_data.IsBreakpoint(Case({0})));
    EXPECT_FALSE(m_data.IsBreakpoint(Case({0, 1})));
}

TEST(CaseGraphProgressDialogTest, CountsUntilCancelled) {
    CCaseGraphProgressDialog dialog;
    dialog.SetShowDelay(0);
    EXPECT_EQ(dialog.windowTitle(), "Computing the case graph");
    EXPECT_TRUE(dialog.SetProgress(12, 30));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.WasCancelled());
    EXPECT_EQ(dialog.GetCountsText(), "Cases: 12, arcs: 30");

    // A click that waits in the event queue is seen by the next report.
    QPushButton* pCancel = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    ASSERT_NE(pCancel, nullptr);
    QTimer::singleShot(0, pCancel, [pCancel] { QTest::mouseClick(pCancel, Qt::LeftButton); });
    QTest::qWait(60);
    EXPECT_TRUE(dialog.WasCancelled());
    EXPECT_FALSE(dialog.SetProgress(13, 31));
    EXPECT_FALSE(dialog.SetProgress(14, 32));
    EXPECT_FALSE(dialog.isVisible());
}

// An engine of a few listed cases, each forward reachable or not, the way to a case one
// step from the first: what the dialog asks of any engine.
class CListedCasesEngine : public CCaseEngine {
public:
    CListedCasesEngine(std::vector<CSetConditions> cases, std::vector<std::uint8_t> reachable)
        : m_cases(std::move(cases)), m_reachable(std::move(reachable)) {}
    const char* GetEngineName() const override { return "listed"; }
    std::string CountCases() override { return std::to_string(m_cases.size()); }
    std::string CountSteps() override { return "0"; }
    std::string CountForwardCases() override { return "0"; }
    bool IsContactFree() override { return true; }
    bool IsForwardReachable(const CSetConditions& c) override {
        const int i = IndexOf(c);
        return i >= 0 && m_reachable[static_cast<std::size_t>(i)];
    }
    CCaseSearchResult Find(const std::vector<CPNCondition*>& wanted,
                           const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                           std::size_t shown) override {
        CCaseSearchResult result;
        const auto found = FindCaseIndices(m_cases, m_reachable, wanted, unwanted, onlyReachable);
        result.count = std::to_string(found.size());
        for (std::size_t k = 0; k < found.size() && k < shown; ++k)
            result.first.push_back(m_cases[found[k]]);
        return result;
    }
    std::optional<CCaseRun> PathTo(const CSetConditions& to) override {
        CCaseRun run;
        run.from = m_cases.front();
        run.to = to;
        run.found = true;
        run.steps.push_back({CSetEvents(), true, to});
        return run;
    }
    bool HasConcessionInTheClass(const CPNEvent&) override { return true; }
    bool ListsCases() const override { return m_listed; }
    int CaseCount() const override { return static_cast<int>(m_cases.size()); }
    CSetConditions Case(int i) const override { return m_cases[static_cast<std::size_t>(i)]; }
    int IndexOf(const CSetConditions& c) const override {
        for (std::size_t i = 0; i < m_cases.size(); ++i)
            if (m_cases[i].IsEqual(c))
                return static_cast<int>(i);
        return -1;
    }
    bool m_listed = true;

private:
    std::vector<CSetConditions> m_cases;
    std::vector<std::uint8_t> m_reachable;
};

// The verification dialog over three named conditions and an unnamed one; the cases
// are { p }, { p, q } and { r }, the last reached only backward.
class CaseClassDialogTest : public BreakPointsDialogTest {
protected:
    using D = CDlgCaseClassAnalysis;

    std::unique_ptr<D> Make(bool bSimulation, D::ShowPath showPath = {}) {
        m_conditions.push_back(std::make_unique<CPNCondition>(0, 30, nullptr));
        m_pEngine = std::make_unique<CListedCasesEngine>(
            std::vector<CSetConditions>{Case({0}), Case({0, 1}), Case({2})},
            std::vector<std::uint8_t>{1, 1, 0});
        CCaseClassInput input;
        for (const auto& c : m_conditions)
            input.conditions.push_back(c.get());
        input.engine = m_pEngine.get();
        return std::make_unique<D>(input, bSimulation, std::move(showPath));
    }
    std::unique_ptr<CListedCasesEngine> m_pEngine;
    static bool On(D& d, int nId) { return d.GetButton(nId)->isEnabled(); }
    static void Pick(D& d, int nList, const char* szText) {
        QListWidget* pList = d.GetList(nList);
        pList->setCurrentItem(
            pList->findItems(QString::fromLatin1(szText), Qt::MatchExactly).value(0));
    }
};

TEST_F(CaseClassDialogTest, MoveButtonsFollowTheListsAsTheDialogSays) {
    auto d = Make(false);
    EXPECT_EQ(Texts(d->GetList(D::IDC_AVAILABLE)), (QStringList{"p", "q", "r"})) << "named only";
    EXPECT_TRUE(d->GetOnlyReachable()->isChecked());
    for (int nId : {D::IDC_FROM_WANTED, D::IDC_FROM_UNWANTED, D::IDC_CLEAR_ALL, D::IDC_FIND})
        EXPECT_FALSE(On(*d, nId)) << nId;
    d->OnAddWanted();
    d->OnAddWanted();
    d->OnAddUnwanted();
    EXPECT_FALSE(On(*d, D::IDC_TO_WANTED) || On(*d, D::IDC_TO_UNWANTED)) << "nothing left";
    d->OnRemoveWanted();
    EXPECT_TRUE(On(*d, D::IDC_TO_WANTED) && On(*d, D::IDC_TO_UNWANTED));
    // The last wanted condition goes: Find and Clear all with it, unwanted or not.
    d->OnRemoveWanted();
    EXPECT_FALSE(On(*d, D::IDC_FIND) || On(*d, D::IDC_CLEAR_ALL) || On(*d, D::IDC_FROM_WANTED));
    EXPECT_EQ(d->GetList(D::IDC_UNWANTED)->count(), 1);
    d->OnAddWanted();
    EXPECT_TRUE(On(*d, D::IDC_FIND) && On(*d, D::IDC_CLEAR_ALL));
    d->OnClearAll();
    EXPECT_EQ(d->GetList(D::IDC_AVAILABLE)->count(), 3);
    EXPECT_EQ(d->GetList(D::IDC_WANTED)->count() + d->GetList(D::IDC_UNWANTED)->count(), 0);
}

TEST_F(CaseClassDialogTest, FindsCasesAndShowsAndReplaysTheWayToThem) {
    std::vector<std::size_t> shown;
    auto d = Make(true, [&shown](std::size_t nCase) {
        shown.push_back(nCase);
        return nCase != 2; // the backward-only case has no forward path
    });
    Pick(*d, D::IDC_AVAILABLE, "p");
    d->OnAddWanted();
    d->OnFindCases();
    EXPECT_EQ(Texts(d->GetList(D::IDC_FOUND)), (QStringList{"{ p }", "{ p, q }"}));
    // The same condition wanted and unwanted finds nothing.
    Pick(*d, D::IDC_WANTED, "p");
    d->OnRemoveWanted();
    Pick(*d, D::IDC_AVAILABLE, "r");
    d->OnAddWanted();
    d->OnFindCases();
    EXPECT_EQ(Texts(d->GetList(D::IDC_FOUND)), QStringList{"no such case"});
    EXPECT_FALSE(On(*d, D::IDC_SHOW_PATH));
    d->GetOnlyReachable()->setChecked(false);
    d->OnFindCases();
    EXPECT_EQ(Texts(d->GetList(D::IDC_FOUND)), QStringList{"{ r }"});

    EXPECT_TRUE(On(*d, D::IDC_SHOW_PATH));
    EXPECT_FALSE(On(*d, D::IDC_REPLAY_PATH));
    d->OnShowPath();
    EXPECT_EQ(shown, std::vector<std::size_t>{2});
    EXPECT_FALSE(On(*d, D::IDC_REPLAY_PATH)) << "backward steps cannot be fired";

    Pick(*d, D::IDC_WANTED, "r");
    d->OnRemoveWanted();
    Pick(*d, D::IDC_AVAILABLE, "q");
    d->OnAddWanted();
    d->OnFindCases();
    d->OnShowPath();
    EXPECT_EQ(shown.back(), 1u);
    ASSERT_TRUE(On(*d, D::IDC_REPLAY_PATH));
    d->OnReplayPath();
    EXPECT_EQ(d->GetReplayCase(), std::optional<std::size_t>(1));
    EXPECT_EQ(d->result(), QDialog::Accepted);

    // Outside simulation nothing is replayed.
    auto design = Make(false, [](std::size_t) { return true; });
    design->OnAddWanted();
    design->OnFindCases();
    design->OnShowPath();
    EXPECT_FALSE(On(*design, D::IDC_REPLAY_PATH));

    // An engine that does not list its cases (decision diagrams): the way is written
    // out, nothing is marked or replayed.
    std::vector<std::size_t> marked;
    auto symbolic = Make(true, [&marked](std::size_t nCase) {
        marked.push_back(nCase);
        return true;
    });
    m_pEngine->m_listed = false;
    symbolic->OnAddWanted();
    symbolic->OnFindCases();
    ASSERT_TRUE(On(*symbolic, D::IDC_SHOW_PATH));
    symbolic->OnShowPath();
    EXPECT_TRUE(marked.empty());
    EXPECT_FALSE(On(*symbolic, D::IDC_REPLAY_PATH));
}

} // namespace
