#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// How many cases the initial case reaches by forward steps.
class CForwardQuestion : public CQuestion {
public:
    std::string Id() const override { return "forward"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override {
        return {.command = "casegraph",
                .flag = "--forward",
                .help = "write how many cases the initial case reaches by forward steps"};
    }
    int Rank() const override { return 20; }
    CAnswer Ask(const CQuestionContext& context) const override {
        const std::string count = context.engine->CountForwardCases();
        CAnswer answer;
        answer.Add(PANE_STANDARD,
                   CAnswer::Count{"forward-cases", count,
                                  "Reached by forward steps from the initial case: " + count +
                                      " case(s)"});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeForwardQuestion() {
    return std::make_unique<CForwardQuestion>();
}
