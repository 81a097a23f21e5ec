#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// Every case of the class, by its conditions.
class CCaseClassQuestion : public CQuestion {
public:
    std::string Id() const override { return "case-class"; }
    ENeeds Needs() const override { return ENeeds::ListedCases; }
    CommandLine Cli() const override {
        return {.command = "casegraph", .flag = "--case-class", .help = "write the case class"};
    }
    MenuEntry Menu() const override {
        return {"Write Out Case Class",
                "Write the case class to the output window\nWrite Out Case Class", true};
    }
    int Rank() const override { return 60; }
    CAnswer Ask(const CQuestionContext& context) const override {
        CAnswer::Cases cases{"Writing out case class...", {}, {}};
        const int n = context.engine->CaseCount();
        cases.cases.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            if (!ReportWork(context.progress, static_cast<std::size_t>(i),
                            static_cast<std::size_t>(n)))
                return CAnswer::Failed("case-class: cancelled");
            cases.cases.push_back(context.engine->Case(i).ToString(false));
        }
        cases.total = FormatString("Total %d case(s)", n);
        CAnswer answer;
        answer.Add(PANE_ANALYSIS, std::move(cases));
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeCaseClassQuestion() {
    return std::make_unique<CCaseClassQuestion>();
}
