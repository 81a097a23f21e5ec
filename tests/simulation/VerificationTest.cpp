// The five tests of a C/E system over small nets, in the order the document runs them:
#include "casegraph/CPNCase.h"
#include "support/DocAccess.h"
#include "model/CPNLabel.h"
// their lines, error counts and the events found enabled are recorded in
// tests/data/golden/simulation/verification.txt.

#include "casegraph/CCaseGraph.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "model/CPNEvent.h"
#include "simulation/CNameCountMap.h"
#include "simulation/CNetVerification.h"
#include "support/Golden.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

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
        const int errors[] = {v.CheckNaming(), v.CheckIsolated(),
                              v.CheckConcession(graph.Cases()), v.CheckIndistinguishable(),
                              v.CheckEmpty()};
        text += std::string("== ") + name + ": " + description + "\n";
        for (const std::string& line : sink.panes[PANE_STANDARD])
            text += line + "\n";
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

TEST(Verification, NamesHashAsSignedStoredBytes) {
    EXPECT_EQ(CNameCountMap::Hash("\xC4\x8D"), 0xFFFFFFE8u);
    EXPECT_EQ(CNameCountMap::Hash("ab"), 97u * 33u + 98u);
    for (auto [name, bucket] :
         {std::pair("a", 12u), {"r", 12u}, {"x", 1u}, {"ba", 16u}, {"\xC4\x8D", 11u}, {"t", 14u}})
        EXPECT_EQ(CNameCountMap::BucketOf(name), bucket) << name;
}

} // namespace
