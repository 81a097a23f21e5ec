#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CPropertyChecker.h"
#include "questions/CSymbolicPropertyEngine.h"
#include "support/NetFamilies.h"
#include "support/PropertyOracle.h"
#include "support/RandomFormulas.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using EKind = CFormula::EKind;

bool NeedsLasso(const CFormula& f) {
    return f.Kind() == EKind::EG || f.Kind() == EKind::AF || f.Kind() == EKind::AU;
}

// That the run replays in the token game and shows the answer as far as the top
// operator tells: a case of the operand of EF (a case against that of AG), the
// successor of EX and AX, the end of EU's path; the first path to it a shortest one,
// as long as the explicit engine's.
void ExpectShows(const CPropertyOracle& oracle, const CFormula& formula, bool want, const CRun& run,
                 const std::optional<CRun>& explicitRun) {
    const auto last = oracle.Replay(run);
    ASSERT_TRUE(last) << "the run does not replay";
    const CFormula* f = &CPropertyOracle::Unnegated(formula, want);
    const std::vector<std::size_t> cases = oracle.IndicesOf(run);
    switch (f->Kind()) {
    case EKind::EF:
    case EKind::AG: {
        const std::vector<bool> sat = oracle.Sat(*f->Operand());
        EXPECT_TRUE(
            std::any_of(cases.begin(), cases.end(), [&](std::size_t c) { return sat[c] == want; }));
        if (f->Operand()->IsState()) {
            EXPECT_EQ(sat[*last], want);
            ASSERT_TRUE(explicitRun);
            EXPECT_EQ(run.events.size(), explicitRun->events.size());
        }
        break;
    }
    case EKind::EX:
    case EKind::AX:
        ASSERT_GE(cases.size(), 2u);
        EXPECT_EQ(oracle.Sat(*f->Operand())[cases[1]], want);
        break;
    case EKind::EU:
        EXPECT_TRUE(oracle.Sat(*f->Operand(1))[*last]);
        for (std::size_t k = 0; k + 1 < cases.size(); ++k)
            EXPECT_TRUE(oracle.Sat(*f->Operand(0))[cases[k]]);
        break;
    default:
        break;
    }
    EXPECT_EQ(run.end == CRun::EEnd::Deadlock, oracle.Deadlock(oracle.CaseAt(*last)));
}

} // namespace

// The decision diagrams of a net read as numbers answer every state, CTL and LTL formula
// they take as the cases worked out the long way (maximal runs, EX false and AX true
// where nothing has concession), over random nets and formulas, several properties to one
// batch as the checker hands them; what they do not take (counts) stays open for the
// others. Their runs replay and show the answer, given wherever the explicit CTL engine
// gives one but for the lassos of EG, AF and AU.
TEST(SymbolicProperties, AgreeWithTheExplicitCtlEngineOnRandomFormulas) {
    int compared = 0, runs = 0, ltls = 0;
    for (int seed = 0; seed < 40; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        CNetDesign design;
        BuildRandomNet(design, gen, 4 + seed % 6, 3 + seed % 5);
        design.BuildStructure();
        const CNetStructure net = Undrawn(CNetStructure::FromDesign(design));
        const CPropertyOracle oracle(net);
        CRandomFormulas random(net, gen);
        std::vector<CProperty> properties;
        for (int k = 0; k < 16; ++k) {
            const FormulaPtr f = k % 4 == 0   ? random.State(3)
                                 : k % 4 == 1 ? random.Reachability(3)
                                 : k % 4 == 2 ? random.Ctl(3)
                                              : random.Ltl(3);
            properties.push_back({"p" + std::to_string(k), f});
        }
        properties.push_back(
            {"deadlock", CFormula::Ctl(CFormula::EKind::EF, CFormula::Deadlock())});
        properties.push_back(
            {"ltl", CFormula::Quantified(
                        true, CFormula::Path(CFormula::EKind::Finally, CFormula::Deadlock()))});
        CPropertyChecker explicitCtl(net);
        explicitCtl.SetEngine(EEngine::Ctl);
        const std::vector<CPropertyResult> expected = explicitCtl.Check(properties);

        CPropertyChecker symbolic(net);
        auto engine = CSymbolicPropertyEngine::Make(net, 0, {});
        ASSERT_TRUE(engine) << seed;
        symbolic.AddEngine(std::move(engine), true);
        symbolic.SetEngine(EEngine::Symbolic);
        const std::vector<CPropertyResult> got = symbolic.Check(properties);
        for (std::size_t i = 0; i < properties.size(); ++i) {
            const CFormula& f = *properties[i].formula;
            SCOPED_TRACE("seed " + std::to_string(seed) + ": " + CFormulaPrinter(net).Print(f));
            if (got[i].verdict == EVerdict::CannotCompute)
                continue; // a count in it
            ++compared;
            EXPECT_EQ(got[i].verdict == EVerdict::True, oracle.Answer(f));
            const bool ltl = f.Contains([](const CFormula& g) {
                return g.Kind() == EKind::PathA || g.Kind() == EKind::PathE;
            });
            ltls += ltl ? 1 : 0;
            const std::vector<std::string> words =
                ltl ? std::vector<std::string>{"DECISION_DIAGRAMS", "LTL_NFA"}
                    : std::vector<std::string>{"DECISION_DIAGRAMS"};
            EXPECT_EQ(TechniqueWords(got[i].techniques), words);
            if (!f.Contains(NeedsLasso))
                EXPECT_EQ(got[i].run.has_value(), expected[i].run.has_value());
            if (!got[i].run)
                continue;
            ++runs;
            ExpectShows(oracle, f, got[i].verdict == EVerdict::True, *got[i].run, expected[i].run);
        }
    }
    EXPECT_GT(compared, 200);
    EXPECT_GT(runs, 60);
    EXPECT_GT(ltls, 80);
}

// Where runs are wanted, the diagrams are asked first for what they show with a run and
// leave the lassos to the explicit engines; the whole engine after those answers the rest.
TEST(SymbolicProperties, TheDoorForRunsLeavesTheLassosToTheOthers) {
    CNetStructure net;
    const int a = net.AddCondition("a", true), b = net.AddCondition("b");
    const int e = net.AddEvent("e"), f = net.AddEvent("f");
    net.AddPre(e, a);
    net.AddPost(e, b);
    net.AddPre(f, b);
    net.AddPost(f, a);
    auto whole = CSymbolicPropertyEngine::Make(net, 0, {});
    ASSERT_TRUE(whole);
    using ETakes = CSymbolicPropertyEngine::ETakes;
    const std::unique_ptr<CSymbolicPropertyEngine> runs = whole->Door(ETakes::WithRuns);
    const FormulaPtr reach = CFormula::Ctl(EKind::EF, CFormula::Condition(b));
    const FormulaPtr lasso = CFormula::Ctl(EKind::EG, CFormula::Not(CFormula::Deadlock()));
    EXPECT_TRUE(runs->Accepts(*reach));
    EXPECT_FALSE(runs->Accepts(*CFormula::Not(lasso)));
    EXPECT_TRUE(whole->Accepts(*lasso));
    const FormulaPtr ltl =
        CFormula::Quantified(true, CFormula::Path(EKind::Finally, CFormula::Condition(b)));
    EXPECT_TRUE(whole->Accepts(*ltl));
    EXPECT_FALSE(whole->Door(ETakes::AllButLtl)->Accepts(*ltl));
    CPropertyChecker checker(net);
    checker.AddEngine(whole->Door(ETakes::WithRuns), true);
    checker.AddEngine(std::move(whole));
    checker.SetEngine(EEngine::Symbolic);
    const std::vector<CPropertyResult> results =
        checker.Check({{"reach", reach}, {"lasso", lasso}});
    EXPECT_EQ(results[0].verdict, EVerdict::True);
    ASSERT_TRUE(results[0].run);
    EXPECT_EQ(results[0].run->events, std::vector<int>{e});
    EXPECT_EQ(results[1].verdict, EVerdict::True);
    EXPECT_FALSE(results[1].run);
}
