#pragma once

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// A net design built as the editor builds it: every condition and event with a name
// label in the net, owned by it. Collects the output.
struct NetFixture : ::testing::Test {
    CNetDesign net;
    RecordingDC dc;
    RecordingOutputSink sink;
    NetBuilder builder{net, &dc};

    CPNCondition* AddCondition(const std::string& name, int x = 100, int y = 100,
                               bool token = false);
    CPNEvent* AddEvent(const std::string& name, int x = 200, int y = 100);
    // An event at the default place with the given pre- and post-set, edges included.
    CPNEvent* AddEvent(const std::string& name, std::initializer_list<CPNCondition*> pre,
                       std::initializer_list<CPNCondition*> post);
    // Returns null when the net refused the edge.
    CPNEdge* AddEdge(CPNElement* from, CPNElement* to);
    // Builds the structure and forgets its output line.
    void Build();

    const std::vector<std::string>& Standard() const { return sink.panes[PANE_STANDARD]; }
};
