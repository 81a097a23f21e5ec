// What long work shares with the window that waits for it: the monitor's counts and
// stages as the work tells them, its Cancel seen at the next poll from any thread; and
// the output held back while the work runs, given to the panes as written or dropped.

#include "base/CBufferedOutputSink.h"
#include "base/CWorkMonitor.h"
#include "base/OutputWriter.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(WorkMonitor, KeepsWhatTheWorkTellsAndAnswersFalseOnceCancelled) {
    CWorkMonitor monitor;
    const WorkProgress progress = monitor.Progress();
    monitor.SetStage("Counting");
    EXPECT_TRUE(progress(3, 10));
    CWorkMonitor::Reading reading = monitor.Read();
    EXPECT_EQ(reading.stage, "Counting");
    EXPECT_EQ(reading.done, 3u);
    EXPECT_EQ(reading.total, 10u);
    EXPECT_EQ(reading.polls, 1u);
    // A new stage counts from nought.
    monitor.SetStage("Writing");
    reading = monitor.Read();
    EXPECT_EQ(reading.done, 0u);
    EXPECT_EQ(reading.total, 0u);
    EXPECT_TRUE(monitor.Poll());
    monitor.Cancel();
    EXPECT_TRUE(monitor.IsCancelled());
    EXPECT_FALSE(progress(4, 10));
    EXPECT_FALSE(monitor.Poll());
    EXPECT_EQ(monitor.Read().polls, 4u);
    EXPECT_GE(monitor.Read().longestGap, 0.0);
}

// Work on another thread sees a Cancel given on this one, and stops at its next poll.
TEST(WorkMonitor, ACancelFromAnotherThreadStopsTheWorkAtItsNextPoll) {
    CWorkMonitor monitor;
    std::atomic<std::size_t> done = 0;
    std::thread worker([&] {
        const WorkProgress progress = monitor.Progress();
        for (std::size_t i = 0;; ++i) {
            if (!progress(i, 0))
                return;
            done = i;
            std::this_thread::yield();
        }
    });
    while (done < 100)
        std::this_thread::yield();
    monitor.Cancel();
    worker.join();
    EXPECT_EQ(monitor.Read().polls, done + 2) << "the poll after the cancel was the last";
}

TEST(BufferedOutputSink, ReplaysWhatWasWrittenPaneByPaneAndDropsNothingElse) {
    RecordingOutputSink panes;
    CBufferedOutputSink held(3);
    COutputSink* previous = SetOutputSink(&held);
    WriteOutput(PANE_STANDARD, "before");
    ClearOutputPane(PANE_CASEGRAPH_LEGEND);
    for (int i = 1; i <= 5; ++i)
        WriteOutput(PANE_CASEGRAPH_LEGEND, "name " + std::to_string(i));
    WriteError(PANE_ANALYSIS, "broken");
    SetOutputSink(previous);
    EXPECT_TRUE(panes.all.empty()) << "nothing reaches the panes while held";
    EXPECT_EQ(held.Written(PANE_CASEGRAPH_LEGEND), 5u);

    held.Replay(panes);
    EXPECT_EQ(panes.panes[PANE_STANDARD], (std::vector<std::string>{"before"}));
    EXPECT_EQ(panes.cleared, (std::vector<int>{PANE_CASEGRAPH_LEGEND}));
    EXPECT_EQ(panes.panes[PANE_CASEGRAPH_LEGEND],
              (std::vector<std::string>{"(2 earlier lines are no longer shown)", "name 3", "name 4",
                                        "name 5"}));
    EXPECT_EQ(panes.panes[PANE_ANALYSIS], (std::vector<std::string>{"Error: broken"}));
    EXPECT_EQ(panes.beeps, 1);
    ASSERT_FALSE(panes.shown.empty());
    EXPECT_EQ(panes.shown.back(), PANE_ANALYSIS);

    // Replayed once: the buffer is empty afterwards.
    panes.Reset();
    held.Replay(panes);
    EXPECT_TRUE(panes.all.empty());
    EXPECT_TRUE(panes.cleared.empty());
}

} // namespace
