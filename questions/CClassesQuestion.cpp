#include "base/OutputWriter.h"
#include "document/CZerinDoc.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// The forward-reachable classes: cases that reach the same cases, each class with its
// cases and the cases they reach, by the drawn graph's names.
class CClassesQuestion : public CQuestion {
public:
    std::string Id() const override { return "classes"; }
    ENeeds Needs() const override { return ENeeds::StoredGraph; }
    CommandLine Cli() const override {
        return {.command = "casegraph",
                .flag = "--classes",
                .help = "write the forward-reachable classes"};
    }
    MenuEntry Menu() const override {
        return {"Compute All Reachable Cases",
                "Compute the cases reachable forwards and backwards\nCompute All Reachable Cases"};
    }
    int Rank() const override { return 40; }
    bool UsesCaseNames() const override { return true; }
    CAnswer Ask(const CQuestionContext& context) const override {
        CAnswer answer;
        for (std::string& line : context.doc->CaseGraphEditor().ForwardReachableClasses())
            answer.Add(PANE_ANALYSIS, CAnswer::Line{std::move(line)});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeClassesQuestion() {
    return std::make_unique<CClassesQuestion>();
}
