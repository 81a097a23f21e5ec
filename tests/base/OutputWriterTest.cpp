#include "base/FormatString.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

TEST(OutputWriterTest, SwitchesThePaneOnlyWhenItChanges) {
    RecordingOutputSink sink;
    WriteOutput(0, "a");
    WriteOutput(1, "b");
    WriteOutput(1, "c");
    ShowOutputPane(1);
    ShowOutputPane(3);
    WriteOutput(0, "d");
    EXPECT_EQ(sink.shown, (std::vector<int>{1, 3, 0}));
    EXPECT_EQ(sink.panes[1], (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(sink.panes[3].empty());
}

TEST(OutputWriterTest, ErrorsArePrefixedAndBeep) {
    RecordingOutputSink sink;
    WriteError(1, "cannot execute step {}");
    EXPECT_EQ(sink.panes[1], (std::vector<std::string>{"Error: cannot execute step {}"}));
    EXPECT_EQ(sink.beeps, 1);
    WriteOutput(7, "no such pane");
    EXPECT_EQ(sink.all.size(), 1u);
}
