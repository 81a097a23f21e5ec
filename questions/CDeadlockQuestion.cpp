#include "base/OutputWriter.h"
#include "properties/EExamination.h"
#include "questions/CQuestion.h"
#include "questions/PropertyAnswers.h"

#include <memory>

namespace {

// Whether a case is reachable forwards from the initial case in which no event has
// concession, with the run that leads there.
class CDeadlockQuestion : public CQuestion {
public:
    std::string Id() const override { return "deadlock"; }
    ENeeds Needs() const override { return ENeeds::Net; }
    CommandLine Cli() const override {
        return {.command = "deadlock",
                .description = "whether the system can reach a case where\nno event has "
                               "concession, and the run there"};
    }
    // The run is always written: --witness is not needed.
    std::vector<Option> Options() const override {
        std::vector<Option> options = PropertyAnswers::CommonOptions();
        std::erase_if(options, [](const Option& option) { return option.name == "--witness"; });
        return options;
    }
    MenuEntry Menu() const override {
        return {"Find Deadlock",
                "Look for a reachable case where no event has concession, and the run to it\n"
                "Find Deadlock"};
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        CCheckLimits limits;
        if (std::string wrong = PropertyAnswers::Limits(context, limits); !wrong.empty())
            return CAnswer::Failed(wrong);
        const CPropertyResult result = PropertyAnswers::MakeChecker(context)->CheckGlobal(
            EExamination::ReachabilityDeadlock, limits);
        CAnswer answer;
        CAnswer::Verdict verdict = PropertyAnswers::VerdictOf(result);
        verdict.sentence =
            result.verdict == EVerdict::True
                ? "The system can deadlock: a case where no event has concession is reached in " +
                      std::to_string(result.run ? result.run->events.size() : 0) + " step(s)"
            : result.verdict == EVerdict::False
                ? "The system cannot deadlock: in every reachable case an event has concession"
                : "Whether the system can deadlock is not known: " + verdict.why;
        answer.Add(PANE_ANALYSIS, verdict);
        if (result.run)
            answer.Add(PANE_ANALYSIS, PropertyAnswers::RunOf(*result.run, context.net));
        answer.status = result.verdict == EVerdict::CannotCompute ? 2 : 0;
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeDeadlockQuestion() {
    return std::make_unique<CDeadlockQuestion>();
}
