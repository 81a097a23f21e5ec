// The five tests of a C/E system over small nets, in the order the document runs them:
#include "casegraph/CPNCase.h"
#include "model/CPNLabel.h"
#include "support/DocAccess.h"
// their lines, error counts and the events found enabled are recorded in
// tests/data/golden/simulation/verification.txt.

#include "base/CRandomSource.h"
#include "casegraph/CCaseGraph.h"
#include "model/CNetDesign.h"
#include "model/CPNEvent.h"
#include "simulation/CNameCountMap.h"
#include "simulation/CNameList.h"
#include "simulation/CNetVerification.h"
#include "support/Golden.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Nets in the form of BuildNetFromText.
const std::vector<std::pair<const char*, const char*>> kNets = {
    {"isolated conditions and events", "p a q; e: a ->; lonely"},
    {"an event without concession in any case", "a* b; e1: a -> b; e2: b a ->"},
    {"concession in a later case", "a* b; e: a -> b; back: b -> a"},
    {"three indistinguishable conditions form three pairs",
     "c1 c2 c3; e: -> c1 c2 c3; f: c1 c2 c3 ->"},
    {"indistinguishable events", "a* b; e1: a -> b; e2: a -> b"},
    {"isolated elements are not indistinguishable", "p q; e; f"},
    {"mirrored conditions are distinguishable", "a* b; e: a -> b"},
    {"a single marked condition", "a*"},
    {"the empty net", ""},
    {"duplicate names are totalled", "x y x"},
    {"names are case sensitive and apart from events", "x* X; x: x -> X"},
    {"blank names", "~ ~; ~"},
    // "a" and "r" share bucket 12, "x" lies in 1, "ba" in 16: bucket by bucket, newest
    // first within one.
    {"duplicates in the walk order of the name table", "a x r ba a x r ba a unique"},
    // The hash runs over the stored Windows-1250 bytes: "č" is 0xE8 there (bucket 11),
    // though its UTF-8 bytes would put it in the bucket of "t" (14).
    {"names hashed as stored", "\xC4\x8D \xC4\x8D t t"},
};

TEST(Verification, EveryTestOverEachNetAsRecorded) {
    std::string text;
    for (const auto& [name, description] : kNets) {
        RecordingOutputSink sink;
        RecordingDC dc;
        CNetDesign net;
        const CSetConditions initial = BuildNetFromText(net, description, &dc);
        CRandomSource random(1);
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        sink.Reset();
        CNetVerification v(net);
        const int errors[] = {v.CheckNaming(), v.CheckIsolated(), v.CheckConcession(graph.Cases()),
                              v.CheckIndistinguishable(), v.CheckEmpty()};
        text += std::string("== ") + name + ": " + description + "\n";
        std::set<std::string> nodeNames;
        for (const CPNElement* element : net.m_listElements)
            if (const std::string n = CNameList::NameOf(element); !n.empty())
                nodeNames.insert(n);
        for (const std::string& line : sink.panes[PANE_STANDARD]) {
            text += line + "\n";
            // A double click on an error line selects what it names: names of the net's.
            for (const std::string& n : CNameList::NamesInErrorLine(line))
                EXPECT_TRUE(nodeNames.count(n)) << n << " in " << line;
        }
        text += "errors";
        for (int n : errors)
            text += " " + std::to_string(n);
        text += ", beeps " + std::to_string(sink.beeps) + ", enabled:";
        for (const CPNElement* element : net.m_listElements)
            if (const auto* e = dynamic_cast<const CPNEvent*>(element); e && e->m_bEnabled)
                text += " " + e->m_pLabel->m_strText;
        text += "\n";
    }
    ExpectGolden("simulation/verification.txt", text);
}

// What a double click on an error line selects: the names it lists, pairs split.
TEST(Verification, ErrorLinesGiveTheNamesTheyList) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"Error: found 2 isolated condition(s): p, q", {"p", "q"}},
        {"Error: found 1 event(s) without concession: e2", {"e2"}},
        {"Error: found 6 indistinguishable conditions: c1 and c2, c1 and c3",
         {"c1", "c2", "c1", "c3"}},
        {"Error: found 1 condition(s) with blank name", {}},
        {"  Isolated conditions...", {}},
        {"philosophers - 0 error(s)", {}},
    };
    for (const auto& [line, names] : rows)
        EXPECT_EQ(CNameList::NamesInErrorLine(line), names) << line;
}

TEST(Verification, NamesHashAsSignedStoredBytes) {
    EXPECT_EQ(CNameCountMap::Hash("\xC4\x8D"), 0xFFFFFFE8u);
    EXPECT_EQ(CNameCountMap::Hash("ab"), 97u * 33u + 98u);
    for (auto [name, bucket] :
         {std::pair("a", 12u), {"r", 12u}, {"x", 1u}, {"ba", 16u}, {"\xC4\x8D", 11u}, {"t", 14u}})
        EXPECT_EQ(CNameCountMap::BucketOf(name), bucket) << name;
}

} // namespace
