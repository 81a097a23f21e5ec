// Properties that hold for every net, checked on random nets from the seeded generator:
// the file round trip, the cases of the case graph, the forward-reachable classes, the
// complement and the first layout.

#include "DocFixture.h"
#include "casegraph/CStoredEngine.h"
#include "engines/CStepChoice.h"
#include "support/DocAccess.h"

#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"
#include "simulation/CNetComplement.h"
#include "support/Golden.h"

#include <cstdio>

#include <set>
#include <utility>

namespace {

constexpr int kNets = 50;

struct RandomNetDoc : DocFixture {
    CSetConditions Build(int seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        return BuildRandomNet(NetOf(doc), gen, 2 + seed % 7, 1 + seed % 5, &dc);
    }
};

TEST_F(RandomNetDoc, SavedDocumentsComeBackAndStoreTheSameBytes) {
    for (int seed = 0; seed < kNets; ++seed) {
        SCOPED_TRACE(seed);
        doc.NewDocument();
        Build(seed);
        // In simulation the case graph and the record of a short run are stored too.
        doc.Simulation().Enter();
        for (int i = 0; i < 4 && doc.Simulation().IsActive(); ++i) {
            doc.Selection().Select(nullptr, false);
            for (CPNEvent* event : CStepChoice::Choose(doc.NetDesign().GetEvents(), doc.Simulation().CurrentCase(), true, doc.GetRandom()))
                doc.Selection().Select(event, true);
            CAutomaticRun::ExecuteStepWithoutAnimation(doc);
        }
        const std::vector<std::uint8_t> bytes = CDocumentFile::Store(doc);
        RecordingFrame otherFrame;
        CZerinDoc other(otherFrame);
        ASSERT_TRUE(CDocumentFile::LoadBytes(other, bytes).ok);
        EXPECT_EQ(CDocumentFile::Store(other), bytes);
    }
}

// (That every step fires from its first case to its second, forward and backward, the
// comparison with the literal algorithm checks on random nets.)
TEST(RandomNets, CasesAreDistinctAndClassesCoverEveryCaseOnce) {
    for (int seed = 0; seed < kNets; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomNet(net, gen, 2 + seed % 7, 1 + seed % 5);
        CRandomSource random(1);
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        CStoredEngine engine(graph);
        ASSERT_GE(graph.Cases().size(), 1);
        EXPECT_TRUE(graph.Cases().front()->m_setConditions.IsEqual(initial));
        std::set<std::string> cases;
        for (const CPNCase* node : graph.Cases())
            EXPECT_TRUE(cases.insert(node->m_setConditions.ToString(false)).second);
        RecordingOutputSink sink;
        RecordingDC dc;
        graph.NameElements(dc);
        graph.WriteForwardReachableClasses();
        int counted = 0;
        std::set<std::string> classes;
        for (const CFRCasesClass& c : graph.Classes()) {
            counted += c.m_nCount;
            EXPECT_GE(c.m_nCount, 1);
            EXPECT_TRUE(classes.insert(c.m_setCases.ToString(true)).second);
        }
        EXPECT_EQ(counted, graph.Cases().size());
    }
}

// True when every condition has a complement (pre- and post-sets swapped) that holds
// the opposite token: such a system is contact-free.
bool EveryConditionHasATrueComplement(const CNetDesign& net) {
    std::vector<const CPNCondition*> conditions;
    for (const CPNElement* element : net.m_listElements)
        if (const auto* c = dynamic_cast<const CPNCondition*>(element))
            conditions.push_back(c);
    for (const CPNCondition* c : conditions) {
        bool found = false;
        for (const CPNCondition* d : conditions)
            found = found ||
                    (d != c && d->m_setPreEvents.IsEqual(c->m_setPostEvents) &&
                     d->m_setPostEvents.IsEqual(c->m_setPreEvents) && d->m_bToken != c->m_bToken);
        if (!found)
            return false;
    }
    return true;
}

TEST(RandomNets, TheComplementLeavesNoConditionWithoutOneAndThenNoContact) {
    int contactFree = 0;
    for (int seed = 0; seed < kNets; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        RecordingDC dc;
        RecordingOutputSink sink;
        std::mt19937 gen(static_cast<unsigned>(seed));
        BuildRandomNet(net, gen, 2 + seed % 6, 1 + seed % 4, &dc);
        CNetComplement(net).Complement(dc, false);
        const CSetConditions initial = net.BuildStructure();
        EXPECT_EQ(CNetComplement(net).Complement(dc, true), 0);
        CRandomSource random(1);
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        CStoredEngine engine(graph);
        // A complement the net had already may hold the same token: then contact stays.
        if (EveryConditionHasATrueComplement(net)) {
            EXPECT_TRUE(engine.IsContactFree());
            ++contactFree;
        }
    }
    EXPECT_GT(contactFree, kNets / 2);
}

TEST(RandomNets, TheFirstLayoutPutsEveryCaseOnItsOwnGridPoint) {
    for (int seed = 0; seed < kNets; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        RecordingDC dc;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomNet(net, gen, 2 + seed % 7, 1 + seed % 5);
        CRandomSource random(static_cast<unsigned>(seed));
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        CStoredEngine engine(graph);
        graph.NameElements(dc);
        const CSize page = graph.InitialLayout();
        std::set<std::pair<int, int>> taken;
        for (const CPNCase* node : graph.Cases()) {
            const CPoint at = node->m_ptPos;
            EXPECT_EQ(at.x % CCaseGraph::kGridStep, 0);
            EXPECT_EQ(at.y % CCaseGraph::kGridStep, 0);
            EXPECT_TRUE(at.x > 0 && at.y > 0 && at.x < page.cx && at.y < page.cy);
            EXPECT_TRUE(taken.emplace(at.x, at.y).second);
        }
    }
}

} // namespace

namespace {

// FNV-1a over the bytes: a short fingerprint of a long output.
std::string Fingerprint(const std::string& bytes) {
    unsigned long long hash = 14695981039346656037ULL;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ULL;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", hash);
    return text;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

// Every output of the case graph, fingerprinted for 50 random nets and the philosophers:
// the names, the forward-reachable classes, the case class, both XML exports and the
// stored document after the first layout (seeded). A change of how the graph is stored
// or named must leave every line as it is.
TEST_F(RandomNetDoc, CaseGraphOutputsStayByteForByte) {
    std::vector<std::string> lines;
    auto record = [&](const std::string& what) {
        CCaseGraph& graph = GraphOf(doc);
        sink.Reset();
        graph.NameElements(dc);
        graph.WriteNames();
        std::string names;
        for (const auto& pane : sink.panes)
            names += Joined(pane);
        sink.Reset();
        graph.WriteForwardReachableClasses();
        graph.WriteCaseClass();
        std::string analysis;
        for (const auto& pane : sink.panes)
            analysis += Joined(pane);
        doc.GetRandom().SetFixedSeed(11);
        doc.GetRandom().Seed(11);
        graph.InitialLayout();
        const std::vector<std::uint8_t> stored = CDocumentFile::Store(doc);
        lines.push_back(what + ": " + std::to_string(graph.Cases().size()) + " cases, " +
                        std::to_string(graph.StepCount()) + " steps; names " + Fingerprint(names) +
                        ", analysis " + Fingerprint(analysis) + ", graph xml " +
                        Fingerprint(graph.CaseGraphXML()) + ", class xml " +
                        Fingerprint(graph.CaseClassXML()) + ", file " +
                        Fingerprint(std::string(stored.begin(), stored.end())));
    };
    // The graph as the command line computes it: with the test, whether the net passes
    // it or not.
    for (int seed = 0; seed < kNets; ++seed) {
        doc.NewDocument();
        Build(seed);
        const bool passed = doc.Simulation().TestNet();
        record("random " + std::to_string(seed) + (passed ? "" : " (not a C/E system)"));
    }
    for (int n = 3; n <= 5; ++n) {
        doc.NewDocument();
        BuildDiningPhilosophers(NetOf(doc), n);
        ASSERT_TRUE(doc.Simulation().TestNet());
        record(std::to_string(n) + " philosophers");
    }
    ExpectGolden("document/casegraph-outputs.txt", lines);
}
