#include "document/DocFixture.h"

#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"
#include "support/DocAccess.h"

#include <set>

namespace {

// A document of the philosophers in simulation, its questions asked through the asker
// as the program, the command line and scripts ask them.
struct Philosophers : DocFixture {
    explicit Philosophers(int n = 3, ECaseEngine engine = ECaseEngine::Explicit) {
        BuildDiningPhilosophers(NetOf(doc), n);
        doc.Simulation().SetEngineChoice(engine);
        doc.Simulation().Enter();
        sink.Reset();
    }
    CAnswer Ask(const std::string& id, const CQuestionArgs& args = {}) {
        const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
        frame.measure = &dc;
        doc.NameForOutput();
        const CQuestionContext context{net, &doc, doc.Simulation().Engine(), args, {}, {}};
        return CQuestionAsker::Ask(*Questions().Find(id), context);
    }
    // The lines of the answer as the panes show them.
    static std::vector<std::string> Lines(const CAnswer& answer) {
        std::vector<std::string> lines;
        for (const CAnswer::Entry& entry : answer.parts)
            for (const std::string& line : CAnswerWriter::Lines(entry.part))
                lines.push_back(line);
        return lines;
    }
};

struct SymbolicPhilosophers : Philosophers {
    SymbolicPhilosophers() : Philosophers(3, ECaseEngine::Symbolic) {}
};

} // namespace

// Every question can be offered: ids, commands and menu texts unique, options named as
// options, flags on commands that exist.
TEST(QuestionRegistry, EveryQuestionHasItsOwnPlaces) {
    std::set<std::string> ids, commands, flags, menus;
    for (const auto& question : Questions().Questions()) {
        SCOPED_TRACE(question->Id());
        EXPECT_TRUE(ids.insert(question->Id()).second);
        const CQuestion::CommandLine cli = question->Cli();
        ASSERT_FALSE(cli.command.empty());
        if (cli.flag.empty() && !cli.always)
            EXPECT_TRUE(commands.insert(cli.command).second) << cli.command;
        else if (!cli.always)
            EXPECT_TRUE(flags.insert(cli.command + " " + cli.flag).second);
        if (!question->Menu().text.empty())
            EXPECT_TRUE(menus.insert(question->Menu().text).second);
        std::set<std::string> options;
        for (const CQuestion::Option& option : question->Options()) {
            EXPECT_EQ(option.name.rfind("--", 0), 0u) << option.name;
            options.insert(option.name);
        }
        for (const std::string& flag : question->Menu().flags)
            EXPECT_TRUE(options.count(flag)) << flag;
    }
    EXPECT_FALSE(Questions().Add(nullptr));
    EXPECT_EQ(Questions().Find("no such question"), nullptr);
    EXPECT_EQ(Questions().FlagsOf("casegraph").size(), 6u);
}

// The questions of the case class give the lines the Output pane and zerin-cli always
// gave.
TEST_F(Philosophers, CaseClassQuestionsAnswerInTheirLines) {
    EXPECT_EQ(Lines(Ask("counts")), std::vector<std::string>{"Total 4 case(s), 6 step(s)"});
    EXPECT_EQ(Lines(Ask("contact-free")), std::vector<std::string>{"System is contact-free"});
    EXPECT_EQ(Lines(Ask("forward")),
              std::vector<std::string>{"Reached by forward steps from the initial case: 4 case(s)"});
    const std::vector<std::string> summary = Lines(Ask("class-summary"));
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[1], "Total 1 classes(s) of 4 case(s)");
    const std::vector<std::string> cases = Lines(Ask("case-class"));
    ASSERT_EQ(cases.size(), 6u);
    EXPECT_EQ(cases.front(), "Writing out case class...");
    EXPECT_EQ(cases.back(), "Total 4 case(s)");
    const std::vector<std::string> classes = Lines(Ask("classes"));
    EXPECT_EQ(classes[1], "Total 1 classes(s):");
    const std::vector<std::string> names = Lines(Ask("names"));
    EXPECT_EQ(names.front(), "Names of cases...");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Names of steps..."), 1);
}

// Where the class is kept as decision diagrams, what lists its cases says so instead;
// the counts and verdicts are answered.
TEST_F(SymbolicPhilosophers, ListingsOfDecisionDiagramsSayTheCasesAreNotListed) {
    ASSERT_FALSE(doc.Simulation().Engine()->ListsCases());
    const std::string said =
        "The cases are kept as decision diagrams: they are not listed one by one (Total 4 "
        "case(s))";
    for (const char* id : {"case-class", "class-summary", "names", "classes"})
        EXPECT_EQ(Lines(Ask(id)), std::vector<std::string>{said}) << id;
    EXPECT_EQ(Lines(Ask("counts")), std::vector<std::string>{"Total 4 case(s), 6 step(s)"});
}

// A question that needs the case class, asked before the net was tested, says so.
TEST_F(DocFixture, QuestionsOfTheCaseClassNeedTheNetTested) {
    BuildDiningPhilosophers(NetOf(doc), 2);
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    const CQuestionArgs none;
    const CQuestionContext context{net, &doc, nullptr, none, {}, {}};
    const CAnswer answer = CQuestionAsker::Ask(*Questions().Find("counts"), context);
    EXPECT_EQ(answer.status, 2);
    EXPECT_NE(answer.error.find("tested"), std::string::npos);
    EXPECT_TRUE(CQuestionAsker::CanAsk(*Questions().Find("properties"), context));
}

// The search: the cases found, none found (status 1), an unknown name refused before
// anything is computed, and the way to the first case.
TEST_F(Philosophers, FindListsTheCasesAndTheWayToTheFirst) {
    const CAnswer found = Ask("find", {{"--wanted", {"eat_0"}}, {"--path", {}}});
    const std::vector<std::string> lines = Lines(found);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "{ eat_0, think_1, think_2, fork_2 }");
    EXPECT_EQ(lines[1].rfind("Shortest path from", 0), 0u);
    const CAnswer none = Ask("find", {{"--wanted", {"eat_0,eat_1"}}});
    EXPECT_EQ(Lines(none), std::vector<std::string>{"no such case"});
    EXPECT_EQ(none.status, 1);
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    EXPECT_EQ(Questions().Find("find")->CheckArguments(net, {{"--unwanted", {"eat_0,sleep"}}}),
              "no condition is named 'sleep'");
}

// The writer's generic forms: the contest's verdict lines, a run with its loop, a run
// that ends in a deadlock, a table that stopped at its limit.
TEST(AnswerWriter, WritesEachPartInItsForm) {
    CAnswer::Verdict verdict{.id = "Q-01", .value = CAnswer::Verdict::EValue::Number,
                             .number = "3", .techniques = {"EXPLICIT", "STATE_COMPRESSION"}};
    EXPECT_EQ(CAnswerWriter::Lines(verdict),
              std::vector<std::string>{"FORMULA Q-01 3 TECHNIQUES EXPLICIT STATE_COMPRESSION"});
    verdict.value = CAnswer::Verdict::EValue::Unknown;
    EXPECT_EQ(CAnswerWriter::ContestLine(verdict), "FORMULA Q-01 CANNOT_COMPUTE");
    CAnswer::Run run{.from = "{ a }",
                     .steps = {{"{ e }", true, "{ b }"}, {"{ f }", true, "{ a }"}},
                     .end = CAnswer::Run::EEnd::Loop};
    EXPECT_EQ(CAnswerWriter::Lines(run),
              (std::vector<std::string>{"from { a }", "loop:", "step 1: { e } \u2192 { b }",
                                        "step 2: { f } \u2192 { a }",
                                        "and round the loop again, for ever"}));
    run.end = CAnswer::Run::EEnd::Deadlock;
    EXPECT_EQ(CAnswerWriter::Lines(run).back(), "and there no event has concession");
    const CAnswer::Table table{"Invariants", {"a", "b"}, {{"1", "a"}, {"1", "b"}}, false};
    EXPECT_EQ(CAnswerWriter::Lines(table),
              (std::vector<std::string>{"Invariants", "1 a", "1 b", "(and more)"}));
    const CAnswer::Count quiet{"steps", "30", {}};
    EXPECT_TRUE(CAnswerWriter::Lines(quiet).empty());
}

// Properties in the readable language, with the runs that show them, and the faults of
// their arguments said with the position.
TEST_F(Philosophers, PropertiesAnswerWithTheirRuns) {
    const CAnswer answer = Ask("properties", {{"--formula", {"EF eat_1", "AG !(eat_0 & eat_1)"}},
                                              {"--witness", {}}});
    const std::vector<std::string> lines = Lines(answer);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("FORMULA formula-1 TRUE TECHNIQUES", 0), 0u);
    EXPECT_EQ(lines[1], "from { think_0, fork_0, think_1, fork_1, think_2, fork_2 }");
    EXPECT_EQ(lines.back().rfind("FORMULA formula-2 TRUE", 0), 0u);
    EXPECT_EQ(answer.status, 0);
    const CAnswer wrong = Ask("properties", {{"--formula", {"EF (eat_1 &"}}});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.error.find("column"), std::string::npos);
    EXPECT_EQ(Ask("properties", {}).status, 2);
    EXPECT_EQ(Ask("properties", {{"--formula", {"EF eat_1"}}, {"--time-limit", {"-1"}}}).status,
              2);
}

// Deadlock: the run to a case without concession where there is one (replayed: each
// event has concession where it fires, and none has at the end), else the sentence that
// there is none; on a file's net as on a document's.
TEST(DeadlockQuestion, FindsTheRunToADeadlockOrSaysThereIsNone) {
    CNetStructure net;
    const int a = net.AddCondition("a", true), b = net.AddCondition("b"),
              c = net.AddCondition("c");
    const int e = net.AddEvent("e"), f = net.AddEvent("f");
    net.AddPre(e, a);
    net.AddPost(e, b);
    net.AddPre(f, b);
    net.AddPost(f, c);
    const CQuestionArgs none;
    const CQuestion& deadlock = *Questions().Find("deadlock");
    CAnswer answer = CQuestionAsker::Ask(deadlock, {net, nullptr, nullptr, none, {}, {}});
    ASSERT_EQ(answer.parts.size(), 2u);
    const auto& verdict = std::get<CAnswer::Verdict>(answer.parts[0].part);
    EXPECT_EQ(verdict.value, CAnswer::Verdict::EValue::True);
    EXPECT_EQ(verdict.sentence,
              "The system can deadlock: a case where no event has concession is reached in 2 "
              "step(s)");
    const auto& run = std::get<CAnswer::Run>(answer.parts[1].part);
    EXPECT_EQ(run.from, "{ a }");
    ASSERT_EQ(run.steps.size(), 2u);
    EXPECT_EQ(run.steps[1].events, "{ f }");
    EXPECT_EQ(run.steps[1].to, "{ c }");
    EXPECT_EQ(run.end, CAnswer::Run::EEnd::Deadlock);

    // A cycle back to the start: no deadlock, no run.
    net.AddPre(net.AddEvent("g"), c);
    net.AddPost(2, a);
    answer = CQuestionAsker::Ask(deadlock, {net, nullptr, nullptr, none, {}, {}});
    ASSERT_EQ(answer.parts.size(), 1u);
    EXPECT_EQ(std::get<CAnswer::Verdict>(answer.parts[0].part).sentence,
              "The system cannot deadlock: in every reachable case an event has concession");
    EXPECT_EQ(answer.status, 0);
}
