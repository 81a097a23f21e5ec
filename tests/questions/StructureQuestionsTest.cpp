#include "model/CNetStructure.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two processes that share a resource, with names a script has to quote:
//   "p,1" -> enter1 -> "c\"1" -> leave1 -> "p,1", the same for p2/c2, and "free"
//   taken by each entry and given back by each exit.
CNetStructure Mutex() {
    CNetStructure net;
    const int p1 = net.AddCondition("p,1", true), c1 = net.AddCondition("c\"1");
    const int p2 = net.AddCondition("p2", true), c2 = net.AddCondition("c2");
    const int free = net.AddCondition("free", true);
    const int enter1 = net.AddEvent("enter1"), leave1 = net.AddEvent("leave1");
    const int enter2 = net.AddEvent("enter2"), leave2 = net.AddEvent("leave2");
    for (auto [enter, leave, p, c] :
         {std::array{enter1, leave1, p1, c1}, std::array{enter2, leave2, p2, c2}}) {
        net.AddPre(enter, p);
        net.AddPre(enter, free);
        net.AddPost(enter, c);
        net.AddPre(leave, c);
        net.AddPost(leave, p);
        net.AddPost(leave, free);
    }
    return net;
}

// A ring of n philosophers: think_i -> take_i (with forks i and i+1) -> eat_i ->
// put_i -> think_i, forks given back.
CNetStructure Philosophers(int n) {
    CNetStructure net;
    std::vector<int> think, eat, fork;
    for (int i = 0; i < n; ++i) {
        think.push_back(net.AddCondition("think_" + std::to_string(i), true));
        eat.push_back(net.AddCondition("eat_" + std::to_string(i)));
        fork.push_back(net.AddCondition("fork_" + std::to_string(i), true));
    }
    for (int i = 0; i < n; ++i) {
        const int take = net.AddEvent("take_" + std::to_string(i));
        const int put = net.AddEvent("put_" + std::to_string(i));
        net.AddPre(take, think[i]);
        net.AddPre(take, fork[i]);
        net.AddPre(take, fork[(i + 1) % n]);
        net.AddPost(take, eat[i]);
        net.AddPre(put, eat[i]);
        net.AddPost(put, think[i]);
        net.AddPost(put, fork[i]);
        net.AddPost(put, fork[(i + 1) % n]);
    }
    return net;
}

struct Asked {
    CAnswer answer;
    std::vector<std::string> lines;
};

Asked Ask(const std::string& id, const CNetStructure& net, const CQuestionArgs& args,
          WorkProgress progress = {}) {
    Asked asked{CQuestionAsker::Ask(*Questions().Find(id),
                                    {net, nullptr, nullptr, args, std::move(progress), {}}),
                {}};
    for (const CAnswer::Entry& entry : asked.answer.parts)
        for (const std::string& line : CAnswerWriter::Lines(entry.part))
            asked.lines.push_back(line);
    return asked;
}

} // namespace

// The JSON scripts read: every list asked for, names escaped, weights and values, and
// "complete"; lists not asked for are left out.
TEST(StructureQuestions, JsonIsTheContractScriptsRead) {
    const CNetStructure net = Mutex();
    EXPECT_EQ(Ask("invariants", net, {{"--format", {"json"}}}).lines,
              std::vector<std::string>{
                  "{\"s_invariants\": [{\"weights\": {\"p,1\": 1, \"c\\\"1\": 1}, \"value\": 1}, "
                  "{\"weights\": {\"p2\": 1, \"c2\": 1}, \"value\": 1}, "
                  "{\"weights\": {\"c\\\"1\": 1, \"c2\": 1, \"free\": 1}, \"value\": 1}], "
                  "\"complete\": true}"});
    const Asked all =
        Ask("invariants", net, {{"--format", {"json"}}, {"--events", {}}, {"--traps", {}}});
    ASSERT_EQ(all.lines.size(), 1u);
    for (const char* member : {"\"s_invariants\": [",
                               "\"t_invariants\": [{\"weights\": "
                               "{\"enter1\": 1, \"leave1\": 1}}",
                               "\"siphons\": [[", "\"traps\": [[", "\"complete\": true}"})
        EXPECT_NE(all.lines[0].find(member), std::string::npos) << member;
    EXPECT_EQ(Ask("siphons", net, {{"--format", {"json"}}}).lines[0].rfind("{\"siphons\": ", 0),
              0u);
}

// The same answer for people and for spreadsheets: sums with their values, whether
// the net is covered; CSV quoted where a name needs it.
TEST(StructureQuestions, TextAndCsvSayTheSameAsTheJson) {
    const CNetStructure net = Mutex();
    EXPECT_EQ(Ask("invariants", net, {{"--events", {}}}).lines,
              (std::vector<std::string>{"S-invariants: 3", "p,1 + c\"1 = 1", "p2 + c2 = 1",
                                        "c\"1 + c2 + free = 1", "Covered by S-invariants: yes",
                                        "T-invariants: 2", "enter1 + leave1", "enter2 + leave2",
                                        "Covered by T-invariants: yes"}));
    const std::vector<std::string> csv = Ask("invariants", net, {{"--format", {"csv"}}}).lines;
    ASSERT_EQ(csv.size(), 8u);
    EXPECT_EQ(csv[0], "kind,number,element,weight,value");
    EXPECT_EQ(csv[1], "s-invariant,1,\"p,1\",1,1");
    EXPECT_EQ(csv[2], "s-invariant,1,\"c\"\"1\",1,1");
    const std::vector<std::string> siphons = Ask("siphons", net, {}).lines;
    ASSERT_FALSE(siphons.empty());
    EXPECT_EQ(siphons[0], "Minimal siphons: 3");
    EXPECT_EQ(siphons[siphons.size() - 2],
              "Every minimal siphon holds a trap marked initially: yes");
}

// A list that stops at --limit says there are more; a --limit that is no number is
// refused; work stopped by its progress is a failure, not an answer.
TEST(StructureQuestions, LimitsRefusalsAndStopping) {
    const CNetStructure net = Philosophers(20);
    const Asked first = Ask("invariants", net, {{"--limit", {"5"}}});
    EXPECT_EQ(first.lines[0], "S-invariants: 5 (the first; there are more)");
    EXPECT_EQ(first.answer.status, 0);
    EXPECT_NE(Ask("invariants", net, {{"--limit", {"5"}}, {"--format", {"json"}}})
                  .lines[0]
                  .find("\"complete\": false"),
              std::string::npos);
    EXPECT_NE(Ask("siphons", net, {{"--limit", {"5"}}}).lines[0].find("there are more"),
              std::string::npos);
    const Asked wrong = Ask("invariants", net, {{"--limit", {"0"}}});
    EXPECT_EQ(wrong.answer.status, 2);
    EXPECT_EQ(wrong.answer.error, "--limit takes a number from 1, not '0'");

    for (const char* id : {"invariants", "siphons"}) {
        const Asked stopped =
            Ask(id, Philosophers(200), {}, [](std::size_t, std::size_t) { return false; });
        EXPECT_EQ(stopped.answer.status, 2) << id;
        EXPECT_EQ(stopped.answer.error, "cancelled") << id;
    }
}

// The state equation answers "no" only with a proof; every name it is given is checked
// before anything is solved, and a stop is no answer.
TEST(StructureQuestions, ReachableSaysNoOnlyWithAProof) {
    const CNetStructure ring = Philosophers(6);
    struct Row {
        CQuestionArgs args;
        int status;
        std::string line;
    };
    const std::vector<Row> rows = {
        {{{"--wanted", {"eat_0,eat_1"}}},
         1,
         "no: a case holding eat_0, eat_1 is not reached forward (the state equation has no "
         "solution)"},
        {{{"--wanted", {"eat_0,eat_2"}}},
         0,
         "don't know: the state equation has a solution, a case holding eat_0, eat_2 may or "
         "may not be reached forward"},
        // Each fork is on the table or in one hand: never neither.
        {{{"--unwanted", {"fork_1,eat_0,eat_1"}}, {"--all-cases", {""}}},
         1,
         "no: a case holding none of fork_1, eat_0, eat_1 is not reached by steps forward and "
         "backward (the state equation has no solution)"},
        {{{"--wanted", {"eat_0,,"}}, {"--unwanted", {"think_0"}}},
         0,
         "don't know: the state equation has a solution, a case holding eat_0 and none of "
         "think_0 may or may not be reached forward"},
    };
    for (const Row& row : rows) {
        const Asked asked = Ask("reachable", ring, row.args);
        EXPECT_EQ(asked.answer.status, row.status) << row.line;
        ASSERT_EQ(asked.lines.size(), 1u);
        EXPECT_EQ(asked.lines[0], row.line);
    }
    for (const auto& [args, error] : std::vector<std::pair<CQuestionArgs, std::string>>{
             {{{"--wanted", {"eat_0,eat_9"}}}, "no condition is named 'eat_9'"},
             {{{"--unwanted", {"x"}}}, "no condition is named 'x'"},
             {{{"--time-limit", {"0"}}}, "--time-limit takes a number of seconds, not '0'"},
             {{{"--time-limit", {"2s"}}}, "--time-limit takes a number of seconds, not '2s'"}}) {
        const Asked asked = Ask("reachable", ring, args);
        EXPECT_EQ(asked.answer.status, 2);
        EXPECT_EQ(asked.answer.error, error);
    }
    const Asked stopped = Ask("reachable", Philosophers(40), {{"--wanted", {"eat_0,eat_2"}}},
                              [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_EQ(stopped.answer.status, 2);
    EXPECT_EQ(stopped.answer.error, "cancelled");
}
