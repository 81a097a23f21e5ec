// Every engine against the oracle on random nets: the answers, for random formulas of
// each kind, and the runs that come with them (they replay from the initial case, and
// they show the answer: an EF witness ends where its formula holds, an LTL lasso
// violates its formula read off it position by position, ...).

#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CCtlEngine.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CLtlEngine.h"
#include "properties/COnTheFlyEngine.h"
#include "properties/CPropertyChecker.h"
#include "properties/CStateEquationEngine.h"
#include "support/NetFamilies.h"
#include "support/PropertyOracle.h"
#include "support/RandomFormulas.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using EKind = CFormula::EKind;

// A random net as numbers; with pad, as many conditions of no event go first, so that
// the net's own lie across a word boundary of the compact cases.
struct RandomNet {
    CNetStructure net;
    RandomNet(std::mt19937& gen, int conditions, int events, int pad = 0) {
        CNetDesign design;
        BuildRandomNet(design, gen, conditions, events);
        net = Undrawn(CNetStructure::FromDesign(design), pad);
    }
};

// The ideal proof: unreachable exactly when no reachable case meets the constraints.
StateEquationProof ExactProof(const CPropertyOracle& oracle) {
    return [&oracle](const std::vector<CLinearConstraint>& constraints) {
        for (std::size_t i = 0; i < oracle.CaseCount(); ++i) {
            const auto& c = oracle.CaseAt(i);
            const bool meets = std::all_of(
                constraints.begin(), constraints.end(), [&](const CLinearConstraint& l) {
                    long long sum = 0;
                    for (const auto& [condition, k] : l.terms)
                        sum += c[static_cast<std::size_t>(condition)] ? k : 0;
                    return l.compare == CLinearConstraint::ECompare::LessEqual ? sum <= l.bound
                           : l.compare == CLinearConstraint::ECompare::GreaterEqual
                               ? sum >= l.bound
                               : sum == l.bound;
                });
            if (meets)
                return EStateEquation::DontKnow;
        }
        return EStateEquation::Unreachable;
    };
}

// That the run shows the formula has the value want at the initial case, as far as its
// top operator tells.
void ExpectShows(const CPropertyOracle& oracle, const CFormula& formula, bool want, const CRun& run,
                 std::size_t last) {
    const CFormula* f = &CPropertyOracle::Unnegated(formula, want);
    const std::vector<std::size_t> cases = oracle.IndicesOf(run);
    const bool infinite = run.end != CRun::EEnd::Open;
    const auto all = [&](const std::vector<bool>& set, bool value, std::size_t upTo) {
        for (std::size_t i = 0; i < upTo; ++i)
            if (set[cases[i]] != value)
                return false;
        return true;
    };
    const auto some = [&](const std::vector<bool>& set, bool value) {
        return std::any_of(cases.begin(), cases.end(),
                           [&](std::size_t c) { return set[c] == value; });
    };
    switch (f->Kind()) {
    case EKind::EF:
    case EKind::AG:
        // The run may go on to show why the operand has that value there.
        EXPECT_TRUE(some(oracle.Sat(*f->Operand()), want));
        break;
    case EKind::EX:
    case EKind::AX:
        ASSERT_GE(cases.size(), 2u);
        EXPECT_EQ(oracle.Sat(*f->Operand())[cases[1]], want);
        break;
    case EKind::EU:
        EXPECT_TRUE(want);
        EXPECT_TRUE(oracle.Sat(*f->Operand(1))[last]);
        EXPECT_TRUE(all(oracle.Sat(*f->Operand(0)), true, cases.size() - 1));
        break;
    case EKind::EG:
        EXPECT_TRUE(want && infinite);
        EXPECT_TRUE(all(oracle.Sat(*f->Operand()), true, cases.size()));
        break;
    case EKind::AF:
    case EKind::AU: {
        EXPECT_FALSE(want);
        const auto q = oracle.Sat(*f->Operands().back());
        EXPECT_TRUE(all(q, false, cases.size()));
        if (f->Kind() == EKind::AU) {
            const auto p = oracle.Sat(*f->Operand(0));
            EXPECT_TRUE(all(p, true, cases.size() - 1));
            EXPECT_TRUE(!p[last] || infinite);
        } else {
            EXPECT_TRUE(infinite);
        }
        break;
    }
    case EKind::PathA:
    case EKind::PathE:
        EXPECT_TRUE(infinite);
        EXPECT_EQ(oracle.HoldsOn(*f->Operand(), run), f->Kind() == EKind::PathE);
        EXPECT_EQ(want, f->Kind() == EKind::PathE);
        break;
    default:
        break;
    }
}

bool AcceptedBy(EEngine engine, const CFormula& f) {
    switch (engine) {
    case EEngine::StateEquation:
        return CStateEquationEngine(CNetStructure(),
                                    [](const auto&) { return EStateEquation::DontKnow; })
            .Accepts(f);
    case EEngine::OnTheFly:
        return COnTheFlyEngine().Accepts(f);
    case EEngine::Ctl:
        return CCtlEngine().Accepts(f);
    case EEngine::Ltl:
        return CLtlEngine().Accepts(f);
    default:
        return false;
    }
}

// The formula's answer from the engine (every engine that accepts it when none is
// named) against the oracle's, and its run.
void ExpectAgrees(const RandomNet& r, const CPropertyOracle& oracle, const FormulaPtr& f,
                  std::optional<EEngine> engine, bool proof) {
    CPropertyChecker checker(r.net);
    checker.SetEngine(engine);
    if (proof)
        checker.SetStateEquation(ExactProof(oracle));
    const CPropertyResult result = checker.Check(CProperty{"p", f});
    SCOPED_TRACE(CFormulaPrinter(r.net).Print(*f));
    if (result.verdict == EVerdict::CannotCompute) {
        // Only an engine named that does not take such formulas may leave one open, or
        // the state equation where it proves nothing.
        EXPECT_TRUE(engine == EEngine::StateEquation || !AcceptedBy(*engine, *f));
        EXPECT_EQ(result.reason, engine && AcceptedBy(*engine, *f) ? EStopReason::Inconclusive
                                                                   : EStopReason::Unsupported);
        return;
    }
    if (f->Kind() == EKind::Bound) {
        ASSERT_EQ(result.verdict, EVerdict::Number);
        EXPECT_EQ(result.number, oracle.Bound(f->Elements()));
        ASSERT_TRUE(result.run);
        const auto last = oracle.Replay(*result.run);
        ASSERT_TRUE(last);
        long long n = 0;
        for (int c : f->Elements())
            n += oracle.CaseAt(*last)[static_cast<std::size_t>(c)] ? 1 : 0;
        EXPECT_EQ(n, result.number);
        return;
    }
    const bool value = result.verdict == EVerdict::True;
    ASSERT_EQ(value, oracle.Answer(*f));
    if (!result.run)
        return;
    const auto last = oracle.Replay(*result.run);
    ASSERT_TRUE(last) << "the run does not replay";
    ExpectShows(oracle, *f, value, *result.run, *last);
}

// Whether the top of the formula promises a run for this answer.
bool PromisesRun(const CFormula& formula, bool value) {
    const CFormula* f = &formula;
    while (f->Kind() == EKind::Not) {
        f = f->Operand().get();
        value = !value;
    }
    switch (f->Kind()) {
    case EKind::EF:
    case EKind::EX:
    case EKind::EU:
    case EKind::EG:
    case EKind::PathE:
        return value;
    case EKind::AG:
    case EKind::AX:
    case EKind::AU:
    case EKind::AF:
    case EKind::PathA:
        return !value;
    default:
        return false;
    }
}

} // namespace

TEST(PropertyEngines, AgreeWithTheOracleOnRandomFormulasOfEachKind) {
    const std::optional<EEngine> engines[] = {std::nullopt, EEngine::OnTheFly, EEngine::Ctl,
                                              EEngine::Ltl, EEngine::StateEquation};
    for (int seed = 0; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(static_cast<unsigned>(seed));
        RandomNet r(gen, 4 + seed % 6, 3 + seed % 5, seed % 3 == 2 ? 61 : 0);
        CPropertyOracle oracle(r.net);
        CRandomFormulas random(r.net, gen);
        for (int k = 0; k < 12; ++k) {
            const FormulaPtr formulas[] = {random.Reachability(2), random.Ctl(3), random.Ltl(3),
                                           random.Bound()};
            for (const FormulaPtr& f : formulas)
                for (const auto& engine : engines)
                    ExpectAgrees(r, oracle, f, engine,
                                 engine == EEngine::StateEquation || k % 2 == 0);
        }
    }
}

TEST(PropertyEngines, EveryAnswerThatHasARunComesWithOne) {
    for (int seed = 100; seed < 130; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        RandomNet r(gen, 5 + seed % 4, 4 + seed % 3);
        CRandomFormulas random(r.net, gen);
        CPropertyChecker checker(r.net);
        std::vector<CProperty> properties;
        for (int k = 0; k < 20; ++k) {
            properties.push_back({"r", random.Reachability(0)});
            properties.push_back({"c", random.Ctl(2)});
            properties.push_back({"l", random.Ltl(3)});
        }
        const auto results = checker.Check(properties);
        for (std::size_t i = 0; i < properties.size(); ++i) {
            ASSERT_NE(results[i].verdict, EVerdict::CannotCompute);
            const bool value = results[i].verdict == EVerdict::True;
            if (PromisesRun(*properties[i].formula, value)) {
                EXPECT_TRUE(results[i].run) << CFormulaPrinter(r.net).Print(*properties[i].formula);
            }
        }
    }
}

TEST(PropertyEngines, GlobalExaminationsAgreeWithTheOracle) {
    for (int seed = 0; seed < 80; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(static_cast<unsigned>(seed));
        RandomNet r(gen, 3 + seed % 7, 2 + seed % 6);
        CPropertyOracle oracle(r.net);
        CPropertyChecker checker(r.net);
        if (seed % 2)
            checker.SetStateEquation(ExactProof(oracle));
        const struct {
            EExamination examination;
            bool expected;
        } rows[] = {{EExamination::ReachabilityDeadlock, oracle.Deadlocks()},
                    {EExamination::QuasiLiveness, oracle.QuasiLive()},
                    {EExamination::Liveness, oracle.Live()},
                    {EExamination::StableMarking, oracle.StableMarking()},
                    {EExamination::OneSafe, oracle.OneSafe()}};
        for (const auto& row : rows) {
            const CPropertyResult result = checker.CheckGlobal(row.examination);
            SCOPED_TRACE(result.id);
            EXPECT_EQ(result.id, Examinations::Name(row.examination));
            ASSERT_EQ(result.verdict, row.expected ? EVerdict::True : EVerdict::False);
            std::optional<std::size_t> last;
            if (result.run)
                last = oracle.Replay(*result.run);
            switch (row.examination) {
            case EExamination::ReachabilityDeadlock:
                ASSERT_EQ(last.has_value(), row.expected);
                if (last) {
                    EXPECT_TRUE(oracle.Deadlock(oracle.CaseAt(*last)));
                }
                break;
            case EExamination::OneSafe:
                ASSERT_EQ(last.has_value(), !row.expected);
                if (last) {
                    EXPECT_TRUE(oracle.Contact(oracle.CaseAt(*last)));
                }
                break;
            case EExamination::QuasiLiveness:
                EXPECT_EQ(result.events.empty(), row.expected);
                for (int e : result.events)
                    EXPECT_FALSE(oracle.CanFire(0, e));
                break;
            case EExamination::Liveness:
                EXPECT_EQ(result.events.empty(), row.expected);
                for (int e : result.events)
                    EXPECT_FALSE(oracle.CanFire(result.run ? *last : 0, e));
                break;
            case EExamination::StableMarking:
                EXPECT_EQ(result.conditions.empty(), !row.expected);
                for (int c : result.conditions)
                    for (std::size_t i = 0; i < oracle.CaseCount(); ++i)
                        EXPECT_EQ(oracle.CaseAt(i)[static_cast<std::size_t>(c)], r.net.Initial(c));
                break;
            default:
                break;
            }
        }
    }
}

TEST(PropertyEngines, LimitsLeaveQuestionsOpenInsteadOfGuessing) {
    CNetDesign design;
    // 15,127 cases: every engine looks at its limits before it is done.
    BuildDiningPhilosophers(design, 20);
    const CNetStructure net = CNetStructure::FromDesign(design);
    const FormulaPtr questions[] = {
        CFormula::Ctl(EKind::AG, CFormula::Not(CFormula::Deadlock())),
        CFormula::Ctl(EKind::AG, CFormula::Ctl(EKind::EF, CFormula::Condition(0))),
        CFormula::Quantified(true,
                             CFormula::Path(EKind::Globally, CFormula::Not(CFormula::Deadlock())))};
    struct Row {
        CCheckLimits limits;
        EStopReason reason;
    };
    const Row rows[] = {
        {{1e-9, 0, {}}, EStopReason::TimeLimit},
        {{0, 4096, {}}, EStopReason::MemoryLimit},
        {{0, 0, [](std::size_t, std::size_t) { return false; }}, EStopReason::Cancelled}};
    for (const Row& row : rows)
        for (const FormulaPtr& f : questions) {
            CPropertyChecker checker(net);
            const CPropertyResult result = checker.Check(CProperty{"q", f}, row.limits);
            EXPECT_EQ(result.verdict, EVerdict::CannotCompute);
            EXPECT_EQ(result.reason, row.reason);
            const CPropertyResult live = checker.CheckGlobal(EExamination::Liveness, row.limits);
            EXPECT_EQ(live.verdict, EVerdict::CannotCompute);
            EXPECT_EQ(live.reason, row.reason);
        }
}

TEST(PropertyEngines, AReachabilityQuestionStopsAtItsFirstWitness) {
    CNetDesign design;
    BuildDiningPhilosophers(design, 30);
    const CNetStructure net = CNetStructure::FromDesign(design);
    const FormulaPtr eat =
        CFormula::Ctl(EKind::EF, CFormula::And({CFormula::Condition(net.FindCondition("eat_0")),
                                                CFormula::Condition(net.FindCondition("eat_2")),
                                                CFormula::Condition(net.FindCondition("eat_4"))}));
    CPropertyChecker checker(net);
    // 30 philosophers have 1.86 million cases; three steps lead to the witness.
    const CPropertyResult result =
        checker.Check(CProperty{"eat", eat}, CCheckLimits{0, 64u << 20, {}});
    ASSERT_EQ(result.verdict, EVerdict::True);
    ASSERT_TRUE(result.run);
    EXPECT_EQ(result.run->events.size(), 3u);
    EXPECT_EQ(TechniqueWords(result.techniques),
              (std::vector<std::string>{"EXPLICIT", "SEQUENTIAL_PROCESSING", "STATE_COMPRESSION"}));
}

namespace {

// Another engine through the checker's door, as decision diagrams will come: here it
// asks the oracle.
class COracleEngine : public CPropertyEngine {
public:
    explicit COracleEngine(const CPropertyOracle& oracle) : m_oracle(oracle) {}
    EEngine Kind() const override { return EEngine::Symbolic; }
    unsigned Techniques() const override { return kDecisionDiagrams; }
    bool Accepts(const CFormula& formula) const override { return CCtlEngine().Accepts(formula); }
    void Check(const std::vector<const CProperty*>& properties, CCheckContext&,
               const std::vector<CPropertyResult*>& results) override {
        for (std::size_t i = 0; i < properties.size(); ++i) {
            results[i]->verdict =
                m_oracle.Answer(*properties[i]->formula) ? EVerdict::True : EVerdict::False;
            results[i]->techniques = Techniques();
        }
    }

private:
    const CPropertyOracle& m_oracle;
};

} // namespace

TEST(PropertyEngines, AnotherEngineAnswersThroughTheCheckersDoor) {
    for (int seed = 0; seed < 20; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        RandomNet r(gen, 4 + seed % 5, 3 + seed % 4);
        CPropertyOracle oracle(r.net);
        CPropertyChecker checker(r.net);
        checker.AddEngine(std::make_unique<COracleEngine>(oracle));
        checker.SetEngine(EEngine::Symbolic);
        const CPropertyResult live = checker.CheckGlobal(EExamination::Liveness);
        EXPECT_EQ(live.verdict, oracle.Live() ? EVerdict::True : EVerdict::False);
        EXPECT_EQ(TechniqueWords(live.techniques), std::vector<std::string>{"DECISION_DIAGRAMS"});
        // What it does not take stays open, the explicit engines being left out.
        const CPropertyResult ltl = checker.Check(CProperty{
            "l", CFormula::Quantified(true, CFormula::Path(EKind::Finally, CFormula::Deadlock()))});
        EXPECT_EQ(ltl.verdict, EVerdict::CannotCompute);
        EXPECT_EQ(ltl.reason, EStopReason::Unsupported);
    }
}
