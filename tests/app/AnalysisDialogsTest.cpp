#include "app/dialogs/CCaseGraphProgressDialog.h"
#include "app/dialogs/CDlgBreakPoints.h"
#include "document/CBreakPoints.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
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
    EXPECT_EQ(dialog.GetCountsText(), "Cases: 12  Arcs: 30");

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

} // namespace
