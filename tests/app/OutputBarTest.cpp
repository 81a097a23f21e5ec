#include "app/bars/COutputBar.h"
#include "base/OutputWriter.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTabBar>

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include <memory>

namespace {

class OutputBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pBar = std::make_unique<COutputBar>();
        SetOutputSink(m_pBar.get());
    }
    void TearDown() override {
        m_pBar.reset();
        SetOutputSink(nullptr);
    }
    QStringList Lines(int nPane) const {
        QStringList lines;
        QListWidget* pList = m_pBar->GetListBox(nPane);
        for (int i = 0; i < pList->count(); ++i)
            lines.append(pList->item(i)->text());
        return lines;
    }
    std::unique_ptr<COutputBar> m_pBar;
};

TEST_F(OutputBarTest, WritingLandsInItsPaneAndBringsItForwardOnceQueued) {
    QSignalSpy spy(m_pBar->GetTabBar(), &QTabBar::currentChanged);
    WriteOutput(PANE_SIMULATION, "step 1");
    // The switch is posted: the writer's caller finishes first.
    EXPECT_EQ(m_pBar->GetCurrentPane(), PANE_STANDARD);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_pBar->GetCurrentPane(), PANE_SIMULATION);
    EXPECT_EQ(m_pBar->GetTabBar()->currentIndex(), PANE_SIMULATION);
    WriteOutput(PANE_SIMULATION, "step 2");
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(Lines(PANE_SIMULATION), (QStringList{"step 1", "step 2"}));
    EXPECT_TRUE(Lines(PANE_STANDARD).isEmpty());
    // The last line is selected, so it is in view.
    EXPECT_EQ(m_pBar->GetListBox(PANE_SIMULATION)->currentRow(), 1);
}

// Long output: whole lines with a horizontal scroll bar, and a pane that keeps the
// newest lines and says how many older ones it let go.
TEST_F(OutputBarTest, LongLinesStayWholeAndAFullPaneDropsItsOldestTenth) {
    QListWidget* pList = m_pBar->GetListBox(PANE_STANDARD);
    EXPECT_EQ(pList->textElideMode(), Qt::ElideNone);
    EXPECT_NE(pList->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < COutputBar::MAX_LINES + 1; ++i)
        m_pBar->AppendLine(PANE_STANDARD, std::to_string(i));
    QCoreApplication::processEvents();
    const int nDropped = COutputBar::MAX_LINES / 10;
    ASSERT_EQ(pList->count(), COutputBar::MAX_LINES - nDropped + 2);
    EXPECT_EQ(pList->item(0)->text().toStdString(),
              "(" + std::to_string(nDropped) + " earlier lines are no longer shown)");
    EXPECT_EQ(pList->item(1)->text().toStdString(), std::to_string(nDropped));
    EXPECT_EQ(pList->currentRow(), pList->count() - 1);

    // Blocks written between two turns of the event loop end as line by line writing
    // would leave them, however many drops one block makes.
    m_pBar->ClearPane(PANE_STANDARD);
    std::deque<std::string> expected;
    int nExpectedDropped = 0;
    int nLine = 0;
    for (const int nBlock : {COutputBar::MAX_LINES + 2 * nDropped + 3, COutputBar::MAX_LINES / 2}) {
        for (int i = 0; i < nBlock; ++i, ++nLine) {
            if (static_cast<int>(expected.size()) + (nExpectedDropped > 0) >=
                COutputBar::MAX_LINES) {
                expected.erase(expected.begin(),
                               expected.begin() + nDropped - (nExpectedDropped > 0));
                nExpectedDropped += nDropped - (nExpectedDropped > 0 ? 1 : 0);
            }
            expected.push_back(std::to_string(nLine));
            m_pBar->AppendLine(PANE_STANDARD, expected.back());
        }
        QCoreApplication::processEvents();
        ASSERT_EQ(pList->count(), static_cast<int>(expected.size()) + 1);
        EXPECT_EQ(pList->item(0)->text().toStdString(),
                  "(" + std::to_string(nExpectedDropped) + " earlier lines are no longer shown)");
        EXPECT_EQ(pList->item(1)->text().toStdString(), expected.front());
        EXPECT_EQ(pList->item(pList->count() - 1)->text().toStdString(), expected.back());
    }
}

// A pane sizes its lines without shaping them: the height is the style's, and the width
// never cuts a line short (nor runs far past it), whatever the line holds.
TEST_F(OutputBarTest, LinesAreSizedAsWideAsTheirTextWithoutCuttingThem) {
    QListWidget* pList = m_pBar->GetListBox(PANE_CASEGRAPH_LEGEND);
    const QStringList lines = {
        "",
        "c103676: { think_0, think_1, fork_1, eat_2, think_3, eat_4, think_5, eat_6 }",
        "s2: { take_10, put_13 }",
        "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW MMMMMMMMMMMM",
        "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii.",
        "AVAVAVAVAVAVAVAVAVAVAVAVAVAV To Ta Te Wa Yo fi fl ffi",
        "Ærø Ünïcödé ñ ß ÿ: café, naïve",
        "Zweiundzwanzig \u03b1\u03b2\u03b3 \u4e2d\u6587 \u2192 ok",
    };
    pList->addItems(lines);
    QStyleOptionViewItem option;
    option.font = pList->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.state = QStyle::State_Enabled;
    QStyledItemDelegate shaped;
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].toStdString());
        const QModelIndex index = pList->model()->index(i, 0);
        const QSize exact = shaped.sizeHint(option, index);
        const QSize quick = pList->itemDelegate()->sizeHint(option, index);
        EXPECT_EQ(quick.height(), exact.height());
        EXPECT_GE(quick.width(), exact.width());
        EXPECT_LE(quick.width(), exact.width() + exact.width() / 10 + 4);
    }
}

} // namespace
