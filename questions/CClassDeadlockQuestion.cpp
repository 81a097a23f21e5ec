#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "questions/CQuestion.h"
#include "questions/CaseClassAnswers.h"

#include <memory>

namespace {

using CaseClassAnswers::kBothWays;

// Whether a case of the case class both ways has no event with concession, and the way to
// the first such case by forward and backward steps. Unlike the deadlock of the cases
// reachable forwards, the class holds the cases the backward steps reach too.
class CClassDeadlockQuestion : public CQuestion {
public:
    std::string Id() const override { return "class-deadlock"; }
    ENeeds Needs() const override { return ENeeds::ListedCases; }
    CommandLine Cli() const override {
        return {.command = "class-deadlock",
                .description = "whether a case of the case class (forward and\nbackward) has no "
                               "event with concession, and\nthe way to it"};
    }
    MenuEntry Menu() const override {
        const std::string text = std::string("Find Deadlock") + kBothWays;
        return {text, "Look for a case of the case class, forward and backward, where no event "
                      "has concession\n" +
                          text};
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        CCaseEngine& engine = *context.engine;
        const auto n = static_cast<std::size_t>(engine.CaseCount());
        std::size_t found = 0;
        int first = -1;
        for (std::size_t i = 0; i < n; ++i) {
            if (!ReportWork(context.progress, i, n))
                return CAnswer::Failed(Id() + ": cancelled");
            if (!CaseClassAnswers::EventsWithConcession(context.net,
                                                        engine.Case(static_cast<int>(i)))
                     .empty())
                continue;
            if (found++ == 0)
                first = static_cast<int>(i);
        }
        CAnswer answer;
        CAnswer::Verdict verdict{.id = Id(),
                                 .value = found ? CAnswer::Verdict::EValue::True
                                                : CAnswer::Verdict::EValue::False};
        if (!found) {
            verdict.sentence = std::string("No deadlock") + kBothWays +
                               ": in every case of it an event has concession";
            answer.Add(PANE_ANALYSIS, verdict);
            return answer;
        }
        const CSetConditions dead = engine.Case(first);
        verdict.sentence = "Deadlock" + std::string(kBothWays) + ": " + std::to_string(found) +
                           " case(s) where no event has concession, the first " +
                           dead.ToString(false);
        answer.Add(PANE_ANALYSIS, verdict);
        answer.Add(PANE_ANALYSIS, CAnswer::Count{"deadlocks", std::to_string(found), {}});
        if (std::optional<CCaseRun> run = engine.PathTo(dead))
            answer.Add(PANE_ANALYSIS, CAnswer::Run{.caseRun = std::move(run)});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeClassDeadlockQuestion() {
    return std::make_unique<CClassDeadlockQuestion>();
}
