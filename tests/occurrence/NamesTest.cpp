#include "OccurrenceFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using NamesTest = OccurrenceFixture;

TEST_F(NamesTest, WritesTheListsOncePerStateOfTheRecord) {
    CPNCondition* a = AddCondition("a");
    AddCondition("b");
    CPNEvent* e = AddEvent("t", {a}, {});
    Prepare();
    record.WriteNames(net.m_listElements);
    EXPECT_EQ(sink.cleared, std::vector<int>{PANE_OCCURRENCENET_LEGEND});
    EXPECT_THAT(sink.panes[PANE_OCCURRENCENET_LEGEND],
                ElementsAre("Names of places...", "b1: a", "b2: b", "", "Names of occurrences...",
                            "e1: t"));
    EXPECT_TRUE(record.m_bNamesWritten);

    sink.Reset();
    record.WriteNames(net.m_listElements);
    EXPECT_TRUE(sink.all.empty());
    EXPECT_TRUE(sink.cleared.empty());

    record.Start(Case({a}));
    Fire(Case({a}), {e});
    record.WriteNames(net.m_listElements);
    EXPECT_EQ(sink.panes[PANE_OCCURRENCENET_LEGEND].size(), 6u);
}

TEST_F(NamesTest, LegendLinesStepDownByTheLineHeight) {
    AddCondition("a");
    AddCondition("b");
    AddEvent("t");
    Prepare();
    const int h = 20;
    record.DrawNameLegend(dc, h, net.m_listElements);
    std::vector<std::pair<std::string, CPoint>> texts;
    for (const DrawCall& call : dc.Calls("Text"))
        texts.emplace_back(call.text, call.point);
    EXPECT_THAT(texts, ElementsAre(std::pair("Names of conditions:", CPoint(720, -740)),
                                   std::pair("b1: a", CPoint(720, -740 - h)),
                                   std::pair("b2: b", CPoint(720, -740 - 2 * h)),
                                   std::pair("Names of events:", CPoint(720, -740 - 4 * h)),
                                   std::pair("e1: t", CPoint(720, -740 - 5 * h))));
}

} // namespace
