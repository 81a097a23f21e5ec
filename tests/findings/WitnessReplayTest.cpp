// Runs the checker gives (witnesses, counterexamples, paths to a deadlock, lassos)
// replayed in the token game of random systems: every step has concession where it
// fires and leads to the run's next case, the last case is the run's, a lasso goes on
// round its loop, stepping back leaves the occurrence net with the run as far as it
// stands, and the case graph marks the run's cases and steps, the loop apart.

#include "FindingsFixture.h"

#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "findings/CPropertyListModel.h"
#include "findings/CWitnessReplay.h"
#include "model/CPNEvent.h"
#include "occurrence/COccurrenceNet.h"

#include <set>

namespace {

// The runs of a few properties of the net.
std::vector<CRun> RunsOf(RandomSystem& system) {
    CPropertyListModel model(system.doc.PropertyList());
    model.SetNet(system.structure);
    const CNetStructure& net = *system.structure;
    for (int c = 0; c < static_cast<int>(net.ConditionCount()); ++c) {
        const std::string& name = net.ConditionName(c);
        for (const char* form : {"EF %", "AG !%", "A G F %", "A F G !%", "E G F %"}) {
            std::string text = form;
            text.replace(text.find('%'), 1, name);
            model.AddFormula(text);
        }
    }
    model.AddExamination("ReachabilityDeadlock");
    model.AddExamination("Liveness");
    const CPropertyListModel::Batch batch = model.Prepare();
    model.Apply(batch, CPropertyListModel::Run(batch));
    std::vector<CRun> runs;
    for (const CPropertyList::Line& line : model.List().Lines())
        if (const auto& run = model.FindingOf(line.serial).run)
            runs.push_back(*run);
    return runs;
}

// The cases of the drawn graph on the path, and those in the loop.
std::pair<std::size_t, std::size_t> MarkedCases(const CZerinDoc& doc) {
    std::size_t path = 0, loop = 0;
    for (const CPNCase* node : doc.CaseGraph().Cases()) {
        path += node->m_bOnPath ? 1 : 0;
        loop += node->m_bOnLoop ? 1 : 0;
    }
    return {path, loop};
}

} // namespace

TEST(WitnessReplayTest, RunsReplayStepByStepToTheirLastCase) {
    int lassos = 0, replayed = 0;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        RandomSystem system;
        if (!system.Make(seed))
            continue;
        CZerinDoc& doc = system.doc;
        for (const CRun& run : RunsOf(system)) {
            SCOPED_TRACE(seed);
            CWitnessReplay replay(doc, *system.structure, run);
            ASSERT_TRUE(replay.Fits());
            ASSERT_TRUE(replay.Begin());
            // Once through, and for a lasso once more round the loop.
            const std::size_t steps =
                replay.Length() + (replay.IsLasso() ? replay.Length() - replay.LoopStart() : 0);
            for (std::size_t k = 0; k < steps; ++k) {
                EXPECT_TRUE(doc.Simulation().CurrentCase().HasConcession(
                    replay.EventAt(k)->m_setPreConditions, replay.EventAt(k)->m_setPostConditions,
                    true));
                ASSERT_TRUE(replay.Forward([&] { return system.Fire(); })) << k;
                EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(replay.CaseAfter(k + 1)));
            }
            EXPECT_EQ(replay.CanForward(), replay.IsLasso());
            EXPECT_TRUE(replay.CaseAfter(replay.Length()).IsEqual(replay.CaseAfter(steps)));
            if (replay.EndsInDeadlock())
                for (const CPNEvent* e : system.structure->Events())
                    EXPECT_FALSE(doc.Simulation().CurrentCase().HasConcession(
                        e->m_setPreConditions, e->m_setPostConditions, true));
            if (doc.Record().contactFree)
                EXPECT_EQ(doc.OccurrenceNet().m_nOccurrences, static_cast<int>(steps));
            // Back one step: the case before, the occurrence net one shorter.
            if (steps > 0) {
                ASSERT_TRUE(replay.Back());
                EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(replay.CaseAfter(steps - 1)));
                if (doc.Record().contactFree)
                    EXPECT_EQ(doc.OccurrenceNet().m_nOccurrences, static_cast<int>(steps - 1));
            }
            // The case graph: a case for every case of the run, the loop's in its colour.
            const std::vector<std::uint32_t> cases = replay.MarkInCaseGraph();
            ASSERT_EQ(cases.size(), replay.Length() + 1);
            std::set<std::uint32_t> distinct(cases.begin(), cases.end()), inLoop;
            if (replay.IsLasso())
                inLoop.insert(cases.begin() + static_cast<std::ptrdiff_t>(replay.LoopStart()),
                              cases.end());
            EXPECT_EQ(MarkedCases(doc), std::make_pair(distinct.size(), inLoop.size()));
            lassos += replay.IsLasso() ? 1 : 0;
            ++replayed;
        }
    }
    // The nets gave runs of every kind.
    EXPECT_GT(replayed, 50);
    EXPECT_GT(lassos, 3);
}

// What does not fit is refused: a run of another net, a token game left.
TEST_F(OneEvent, ARunThatDoesNotFitIsNotPlayed) {
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    const CRun run{{0}, {{0}, {1}}, CRun::EEnd::Deadlock, 0};
    CWitnessReplay outside(doc, net, run);
    EXPECT_TRUE(outside.Fits());
    EXPECT_FALSE(outside.Begin());
    Enter();
    EXPECT_FALSE(CWitnessReplay(doc, net, CRun{{3}, {{0}, {1}}, CRun::EEnd::Open, 0}).Fits());
    EXPECT_FALSE(CWitnessReplay(doc, net, CRun{{0}, {{0}}, CRun::EEnd::Open, 0}).Fits());
    EXPECT_FALSE(CWitnessReplay(doc, net, CRun{{0}, {{1}, {0}}, CRun::EEnd::Open, 0}).Begin());
    CWitnessReplay replay(doc, net, run);
    ASSERT_TRUE(replay.Begin());
    EXPECT_FALSE(replay.CanBack());
    ASSERT_TRUE(replay.Forward([&] { return CAutomaticRun::ExecuteStepWithoutAnimation(doc); }));
    EXPECT_FALSE(replay.CanForward());
    EXPECT_EQ(replay.Describe(),
              "Witness: step 1 of 1, case { b2 }, where no event has concession");
    // The token game gone elsewhere: the run does not go on from there.
    doc.Simulation().Reset();
    ASSERT_TRUE(replay.GoTo(0));
    doc.Simulation().SetCase(replay.CaseAfter(1));
    EXPECT_FALSE(replay.Forward([] { return CAutomaticRun::STEP_FINISHED; }));
}
