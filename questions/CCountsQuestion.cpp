#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// How many cases and steps the case class has, in full however large.
class CCountsQuestion : public CQuestion {
public:
    std::string Id() const override { return "counts"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override { return {.command = "casegraph", .always = true}; }
    int Rank() const override { return 0; }
    CAnswer Ask(const CQuestionContext& context) const override {
        const std::string cases = context.engine->CountCases();
        const std::string steps = context.engine->CountSteps();
        CAnswer answer;
        answer.Add(PANE_STANDARD,
                   CAnswer::Count{"cases", cases,
                                  "Total " + cases + " case(s), " + steps + " step(s)"});
        answer.Add(PANE_STANDARD, CAnswer::Count{"steps", steps, {}});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeCountsQuestion() {
    return std::make_unique<CCountsQuestion>();
}
