// The property list model: lines added and edited, read against the net (a wrong formula
// keeps the parser's message and is not checked), verdicts kept by line through the
// others' edits and told stale once the net changes, and the same verdicts zerin-cli's
// properties question gives.

#include "FindingsFixture.h"

#include "findings/CPropertyListModel.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"

namespace {

using EState = CPropertyListModel::EState;

struct Philosophers : DocFixture {
    CPropertyListModel model{doc.PropertyList()};
    Philosophers() {
        BuildDiningPhilosophers(NetOf(doc), 3);
        model.SetNet(std::make_shared<CNetStructure>(CNetStructure::FromDesign(doc.NetDesign())));
    }
    void Check(const std::vector<std::uint64_t>& serials = {}) {
        const CPropertyListModel::Batch batch = model.Prepare(serials);
        model.Apply(batch, CPropertyListModel::Run(batch));
    }
    std::string Verdict(std::uint64_t serial) const {
        return CPropertyListModel::VerdictText(model.FindingOf(serial));
    }
};

} // namespace

TEST_F(Philosophers, FormulasAreReadAsTheyAreWrittenAndWrongOnesSayWhereAndWhy) {
    struct Case {
        std::string text;
        EState state;
        std::string fault;
    };
    const std::vector<Case> cases = {
        {"EF (eat_0 & eat_2)", EState::Unchecked, ""},
        {"AG !deadlock", EState::Unchecked, ""},
        {"EF (eat_0 & ", EState::Wrong, "column 13"},
        {"EF eat_9", EState::Wrong, "eat_9"},
        {"A G F fireable(take_7)", EState::Wrong, "take_7"},
        {"EF X eat_0", EState::Wrong, "column"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::uint64_t serial = model.AddFormula(c.text);
        const CPropertyListModel::Finding& finding = model.FindingOf(serial);
        EXPECT_EQ(finding.state, c.state);
        EXPECT_NE(finding.fault.find(c.fault), std::string::npos) << finding.fault;
    }
    const std::uint64_t exam = model.AddExamination("ReachabilityDeadlock");
    const std::uint64_t notGlobal = model.AddExamination("CTLFireability");
    EXPECT_EQ(model.FindingOf(exam).state, EState::Unchecked);
    EXPECT_EQ(model.FindingOf(notGlobal).fault,
              "'CTLFireability' is none of the global examinations");
    // Only the lines that read are checked.
    EXPECT_EQ(model.Prepare().queries.size(), 3u);
    Check();
    // Three philosophers: one eats at a time, and taking both forks at once none waits.
    EXPECT_EQ(Verdict(model.List().Lines()[0].serial), "FALSE");
    EXPECT_EQ(Verdict(model.List().Lines()[1].serial), "TRUE");
    EXPECT_EQ(Verdict(model.List().Lines()[2].serial), "");
    EXPECT_EQ(Verdict(exam), "FALSE");
    // Edited right, a wrong line is checked with the others.
    const std::uint64_t wrong = model.List().Lines()[2].serial;
    EXPECT_TRUE(model.Edit(wrong, "EF (eat_0 & eat_1)"));
    Check({wrong});
    EXPECT_EQ(Verdict(wrong), "FALSE");
    const CPropertyListModel::Finding& finding = model.FindingOf(wrong);
    EXPECT_FALSE(finding.run.has_value());
    EXPECT_FALSE(finding.verdict.techniques.empty());
    // A witness comes with its verdict.
    const std::uint64_t eats = model.AddFormula("EF eat_1");
    Check({eats});
    ASSERT_TRUE(model.FindingOf(eats).run.has_value());
    EXPECT_EQ(model.FindingOf(eats).run->events.size(), 1u);
}

TEST_F(Philosophers, VerdictsStayWithTheirLinesAndGoStaleWithTheNet) {
    const std::uint64_t a = model.AddFormula("EF eat_0");
    const std::uint64_t b = model.AddFormula("AG #(fork_0, fork_1, fork_2) >= 2");
    const std::uint64_t c = model.AddExamination("Liveness");
    Check();
    EXPECT_EQ(Verdict(a), "TRUE");
    EXPECT_EQ(Verdict(b), "FALSE");
    EXPECT_EQ(Verdict(c), "TRUE");
    // Moving and removing others, and editing one, leave the rest as they were.
    EXPECT_TRUE(model.Move(c, -1));
    EXPECT_TRUE(model.Remove(a));
    EXPECT_TRUE(model.Edit(c, "QuasiLiveness"));
    EXPECT_EQ(Verdict(b), "FALSE");
    EXPECT_EQ(model.FindingOf(c).state, EState::Unchecked);
    EXPECT_FALSE(model.IsStale(b));
    // A line edited while it was checked keeps the finding of its new text.
    const CPropertyListModel::Batch batch = model.Prepare({b});
    const auto outcomes = CPropertyListModel::Run(batch);
    model.Edit(b, "EF eat_1");
    model.Apply(batch, outcomes);
    EXPECT_EQ(model.FindingOf(b).state, EState::Unchecked);
    Check();
    // Another net: the verdicts are stale, names it lacks make lines wrong.
    BuildDiningPhilosophers(NetOf(doc), 2);
    model.SetNet(std::make_shared<CNetStructure>(CNetStructure::FromDesign(doc.NetDesign())));
    EXPECT_TRUE(model.IsStale(c));
    // A list changed from outside (a document opened) is caught up with.
    doc.PropertyList().Load({{0, CPropertyList::EKind::Formula, "EF eat_x"}});
    model.Refresh();
    EXPECT_EQ(model.FindingOf(doc.PropertyList().Lines()[0].serial).state, EState::Wrong);
    EXPECT_EQ(model.FindingOf(b).state, EState::Unchecked);
}

// On random nets the list's verdicts are zerin-cli's: the same checker, asked through
// the properties question.
TEST(PropertyListModelTest, TheVerdictsAreThoseOfTheCommandLine) {
    const std::vector<std::string> templates = {"EF %c",    "AG !%c",   "EF (%c & %d)", "A G F %c",
                                                "E F G %c", "AG EF %c", "bound(%c, %d)"};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        RandomSystem system;
        system.Make(seed);
        const CNetStructure& net = *system.structure;
        if (net.ConditionCount() < 2)
            continue;
        CPropertyListModel model(system.doc.PropertyList());
        model.SetNet(system.structure);
        CQuestionArgs args;
        for (std::string text : templates) {
            text.replace(text.find("%c"), 2,
                         net.ConditionName(static_cast<int>(seed % net.ConditionCount())));
            if (const auto at = text.find("%d"); at != std::string::npos)
                text.replace(at, 2, net.ConditionName(0));
            model.AddFormula(text);
            args["--formula"].push_back(text);
        }
        const CPropertyListModel::Batch batch = model.Prepare();
        model.Apply(batch, CPropertyListModel::Run(batch));
        const CQuestionContext context{net, nullptr, nullptr, args, {}, {}};
        const CAnswer answer = CQuestionAsker::Ask(*Questions().Find("properties"), context);
        ASSERT_EQ(answer.parts.size(), templates.size());
        for (std::size_t i = 0; i < templates.size(); ++i) {
            const auto& cli = std::get<CAnswer::Verdict>(answer.parts[i].part);
            const auto& mine = model.FindingOf(model.List().Lines()[i].serial).verdict;
            EXPECT_EQ(mine.value, cli.value) << seed << " " << args["--formula"][i];
            EXPECT_EQ(mine.number, cli.number);
        }
    }
}
