// The three engines (the stored graph, the cases without stored steps, the decision
// diagrams) answer alike: counts, contact-freeness, reachability, searches and the
// length of the shortest path, on random nets and on the dining philosophers; and the
// steps produced on demand are the steps the stored graph has, in the order the
// simulation meets them.

#include "model/CNetDesign.h"
#include "support/EngineAgreement.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <random>

TEST(CaseEngines, AgreeOnRandomNets) {
    for (int seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomNet(net, gen, 3 + seed % 9, 2 + seed % 6);
        ExpectEnginesAgree(net, initial, gen);
    }
}

// Systems with enough cases at once for the threads to share them out, over several
// batches and chunks.
TEST(CaseEngines, AgreeOnRandomSystems) {
    for (int seed = 0; seed < 8; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomSystem(net, gen, 4 + seed % 2, 3 + seed % 2, 2);
        ExpectEnginesAgree(net, initial, gen);
    }
}

TEST(CaseEngines, AgreeOnThePhilosophersUpToTwelve) {
    std::mt19937 gen(7);
    for (int n = 2; n <= 12; n += 2) {
        SCOPED_TRACE(n);
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, n);
        ExpectEnginesAgree(net, initial, gen);
    }
}
