// The questions of the case class both ways (forward and backward steps), as opposed to
// those of the cases reached forward: a net whose deadlock lies only where a backward
// step leads, asked as the program and zerin-cli ask.

#include "document/DocFixture.h"

#include "model/CNetStructure.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"

namespace {

using EValue = CAnswer::Verdict::EValue;

// a and b take turns; c leads to a (so that a backward step from { a } reaches { c }) and
// to d, where nothing has concession: { d } is in the case class, not reached forward.
struct BackwardDeadlock : DocFixture {
    BackwardDeadlock() {
        BuildNetFromText(NetOf(doc), "a* b c d; e: a -> b; f: b -> a; g: c -> a; h: c -> d", &dc);
        frame.measure = &dc;
        Enter();
    }
    CAnswer Ask(const std::string& id, const CQuestionArgs& args = {}) {
        const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
        const CQuestionContext context{net, &doc, doc.Simulation().Engine(), args, {}, {}};
        return CQuestionAsker::Ask(*Questions().Find(id), context);
    }
};

} // namespace

TEST_F(BackwardDeadlock, TheClassBothWaysIsAskedAndSaysSo) {
    struct Case {
        std::string id;
        CQuestionArgs args;
        EValue value;
        std::string sentence;
    };
    const std::vector<Case> cases = {
        // Forward the system cannot deadlock; both ways it can.
        {"deadlock",
         {},
         EValue::False,
         "The system cannot deadlock: in every reachable case an event has concession"},
        {"class-deadlock",
         {},
         EValue::True,
         "Deadlock in the Case Class (forward and backward): 1 case(s) where no event has "
         "concession, the first { d }"},
        {"class-reach",
         {{"--wanted", {"d"}}},
         EValue::True,
         "Reached in the Case Class (forward and backward): 1 case(s) holding { d }, the first { d "
         "}"},
        {"class-reach",
         {{"--wanted", {"a"}}, {"--unwanted", {"b"}}},
         EValue::True,
         "Reached in the Case Class (forward and backward): 1 case(s) holding { a } and none of "
         "{ b }, the first { a }"},
        {"class-reach",
         {{"--wanted", {"a,d"}}},
         EValue::False,
         "No case in the Case Class (forward and backward) is holding { a, d }"},
        // A system the token game took has no dead events: each has concession in a case.
        {"class-dead-events",
         {},
         EValue::False,
         "No dead events in the Case Class (forward and backward): each has concession in a "
         "case of it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const CAnswer answer = Ask(c.id, c.args);
        ASSERT_TRUE(answer.error.empty()) << answer.error;
        ASSERT_FALSE(answer.parts.empty());
        const auto& verdict = std::get<CAnswer::Verdict>(answer.parts[0].part);
        EXPECT_EQ(verdict.value, c.value);
        EXPECT_EQ(verdict.sentence, c.sentence);
        // A case found comes with the way to it, through the class.
        const bool hasRun =
            std::any_of(answer.parts.begin(), answer.parts.end(),
                        [](const auto& e) { return std::holds_alternative<CAnswer::Run>(e.part); });
        EXPECT_EQ(hasRun, c.id != "class-dead-events" && c.value == EValue::True);
    }
    // A condition the net does not have is named.
    EXPECT_EQ(Ask("class-reach", {{"--wanted", {"a,x"}}}).error, "no condition is named 'x'");
    // Without the case class (the net not tested) none of them is asked.
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    const CQuestionArgs none;
    for (const char* id : {"class-reach", "class-deadlock", "class-dead-events"})
        EXPECT_NE(CQuestionAsker::Ask(*Questions().Find(id), {net, &doc, nullptr, none, {}, {}})
                      .error.find("tested"),
                  std::string::npos)
            << id;
}
