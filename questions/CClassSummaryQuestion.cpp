#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "engines/CClassSummary.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// How many forward-reachable classes there are and the largest, without their listing.
class CClassSummaryQuestion : public CQuestion {
public:
    std::string Id() const override { return "class-summary"; }
    ENeeds Needs() const override { return ENeeds::ListedCases; }
    CommandLine Cli() const override {
        return {.command = "casegraph",
                .flag = "--class-summary",
                .help = "write how many classes there are and the largest, not the listing"};
    }
    MenuEntry Menu() const override {
        return {"Count Reachable Classes",
                "Count the classes of cases that reach the same cases, without listing them\n"
                "Count Reachable Classes"};
    }
    int Rank() const override { return 50; }
    CAnswer Ask(const CQuestionContext& context) const override {
        const CClassSummary summary = CClassSummary::Of(*context.engine->ForwardAdjacency());
        CAnswer answer;
        for (std::string& line : summary.Lines())
            answer.Add(PANE_ANALYSIS, CAnswer::Line{std::move(line)});
        answer.Add(PANE_ANALYSIS,
                   CAnswer::Count{"classes", std::to_string(summary.classes), {}});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeClassSummaryQuestion() {
    return std::make_unique<CClassSummaryQuestion>();
}
