#include "casegraph/CCaseGraph.h"
#include "app/dialogs/CDlgGASettings.h"
#include "app/dialogs/CDlgSmoothCaseGraph.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "support/NetFamilies.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A computed and laid-out case graph whose smoothing dialog the test drives.
class SmoothDialogTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const CSetConditions initial = BuildNetFromText(m_net, GetParam());
        m_graph.ComputeCaseGraph(initial, m_net, {});
        m_graph.InitialLayout();
    }

    // Runs the body with the dialog the graph's smoothing shows; returns what the
    // dialog ended with.
    bool WithDialog(const std::function<void(CDlgSmoothCaseGraph&)>& body) {
        CSize extent;
        return m_graph.Smooth(extent, [&body](CSmoothCaseGraphSession& session) {
            CDlgSmoothCaseGraph dialog(session);
            body(dialog);
            return dialog.result() == QDialog::Accepted;
        });
    }
    static bool Enabled(CDlgSmoothCaseGraph& dialog, int nId) {
        return dialog.GetButton(nId)->isEnabled();
    }
    static void ExpectIdle(CDlgSmoothCaseGraph& dialog, bool bStarted) {
        EXPECT_TRUE(Enabled(dialog, CDlgSmoothCaseGraph::IDC_START));
        EXPECT_FALSE(Enabled(dialog, CDlgSmoothCaseGraph::IDC_STOP));
        EXPECT_EQ(Enabled(dialog, CDlgSmoothCaseGraph::IDC_RESET), bStarted);
        EXPECT_TRUE(Enabled(dialog, CDlgSmoothCaseGraph::IDC_SETTINGS));
        EXPECT_TRUE(Enabled(dialog, 1));
        EXPECT_TRUE(Enabled(dialog, 2));
    }
    static int Generations(CDlgSmoothCaseGraph& dialog) {
        return dialog.GetStatistic(CDlgSmoothCaseGraph::IDC_GENERATIONS).toInt();
    }

    CRandomSource m_random{5};
    CNetDesign m_net;
    CCaseGraph m_graph{m_random};
};

const std::string kRing12 = RingNetText(12);

// The settings dialog with its refusals kept instead of shown.
class QuietSettingsDialog : public CDlgGASettings {
public:
    using CDlgGASettings::CDlgGASettings;

protected:
    void ShowValidationMessage(const QString&) override {}
};

} // namespace

// Many steps, one case without steps, two cases; the first layout's grid is the
// smallest one the smoothing allows.
INSTANTIATE_TEST_SUITE_P(Graphs, SmoothDialogTest,
                         ::testing::Values(kRing12.c_str(), "a*", "a* b; e: a -> b; f: b -> a"));

TEST_P(SmoothDialogTest, SearchRunsBesideARespondingDialogAndStopsAtOnce) {
    WithDialog([](CDlgSmoothCaseGraph& dialog) {
        ExpectIdle(dialog, false);
        dialog.OnStart();
        EXPECT_TRUE(dialog.IsSearching());
        for (int nId : {CDlgSmoothCaseGraph::IDC_START, CDlgSmoothCaseGraph::IDC_RESET,
                        CDlgSmoothCaseGraph::IDC_SETTINGS, 1, 2})
            EXPECT_FALSE(Enabled(dialog, nId)) << nId;
        EXPECT_TRUE(Enabled(dialog, CDlgSmoothCaseGraph::IDC_STOP));

        // The statistics change while the events of the dialog keep being served.
        QSet<int> seen;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 700) {
            QTest::qWait(20);
            seen.insert(Generations(dialog));
        }
        EXPECT_GE(seen.size(), 3) << "shown several times a second";

        timer.restart();
        dialog.OnStop();
        EXPECT_LT(timer.elapsed(), 100);
        EXPECT_FALSE(dialog.IsSearching());
        ExpectIdle(dialog, true);
        EXPECT_GT(Generations(dialog), 0);
        dialog.accept();
    });
}

TEST_P(SmoothDialogTest, ResetAndClosingStopTheSearchAndReopeningContinuesIt) {
    int nGenerations = 0;
    const bool bApplied = WithDialog([&nGenerations](CDlgSmoothCaseGraph& dialog) {
        dialog.OnStart();
        QTest::qWait(50);
        dialog.OnReset();
        EXPECT_FALSE(dialog.IsSearching());
        EXPECT_EQ(Generations(dialog), 0);
        dialog.OnStart();
        QTest::qWait(50);
        // Closing the window stops the search cleanly.
        dialog.reject();
        EXPECT_FALSE(dialog.IsSearching());
        nGenerations = Generations(dialog);
    });
    EXPECT_FALSE(bApplied);
    EXPECT_GT(nGenerations, 0);

    WithDialog([nGenerations](CDlgSmoothCaseGraph& dialog) {
        EXPECT_EQ(Generations(dialog), nGenerations) << "the last statistics";
        ExpectIdle(dialog, true);
        dialog.OnStart();
        QTest::qWait(30);
        dialog.OnStop();
        EXPECT_GT(Generations(dialog), nGenerations) << "the same population goes on";
        dialog.reject();
    });
}

TEST(GASettingsDialogTest, EveryFieldIsCheckedOnOkAndTheDialogStaysOpen) {
    CGASettings settings;
    settings.m_nCross = 80;
    settings.m_nPopulationSize = 31;
    settings.m_nGridSize = 8;
    settings.m_nLength = 9;
    struct Row {
        int id;
        const char* text;
        const char* error;
    };
    using D = QuietSettingsDialog;
    const Row rows[] = {
        {CDlgGASettings::IDC_CROSS, "101", "Please enter an integer between 0 and 100."},
        {CDlgGASettings::IDC_CROSS, "", "Please enter an integer."},
        {CDlgGASettings::IDC_MOVE, "100", ""},
        {CDlgGASettings::IDC_SWAP, "250", "Please enter an integer between 0 and 100."},
        {CDlgGASettings::IDC_SMALL_MOVE, "0", ""},
        {CDlgGASettings::IDC_POPULATION, "2", "Please enter an integer between 3 and 999."},
        {CDlgGASettings::IDC_POPULATION, "1000", "Please enter an integer between 3 and 999."},
        {CDlgGASettings::IDC_POPULATION, "999", ""},
        {CDlgGASettings::IDC_GRID, "99999999999", "Please enter an integer."},
        {CDlgGASettings::IDC_WEIGHT_LENGTH, "7", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        D dialog(settings);
        dialog.open();
        dialog.GetEdit(row.id)->setText(QString::fromLatin1(row.text));
        dialog.accept();
        EXPECT_EQ(dialog.GetLastError().toStdString(), row.error);
        EXPECT_EQ(dialog.isVisible(), *row.error != '\0') << "open only on a refusal";
        dialog.close();
    }

    // Digits only, the chromosome length shown only, grid and population locked
    // while a search runs.
    settings.m_bLocked = true;
    D locked(settings);
    EXPECT_FALSE(locked.GetEdit(CDlgGASettings::IDC_GRID)->isEnabled());
    EXPECT_FALSE(locked.GetEdit(CDlgGASettings::IDC_POPULATION)->isEnabled());
    EXPECT_TRUE(locked.GetEdit(CDlgGASettings::IDC_CROSS)->isEnabled());
    EXPECT_TRUE(locked.GetEdit(CDlgGASettings::IDC_LENGTH)->isReadOnly());
    QLineEdit* pCross = locked.GetEdit(CDlgGASettings::IDC_CROSS);
    pCross->clear();
    QTest::keyClicks(pCross, "-4a2");
    EXPECT_EQ(pCross->text(), QStringLiteral("42"));
    locked.accept();
    EXPECT_EQ(locked.GetSettings().m_nCross, 42);
    EXPECT_EQ(locked.GetSettings().m_nPopulationSize, 31);
}
