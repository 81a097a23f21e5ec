#include "base/OutputWriter.h"
#include "casegraph/CCaseGraph.h"
#include "document/CZerinDoc.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// The names of the drawn graph's cases and steps, with what each stands for.
class CNamesQuestion : public CQuestion {
public:
    std::string Id() const override { return "names"; }
    ENeeds Needs() const override { return ENeeds::StoredGraph; }
    CommandLine Cli() const override {
        return {.command = "casegraph",
                .flag = "--names",
                .help = "write the names of the cases and steps"};
    }
    int Rank() const override { return 30; }
    bool UsesCaseNames() const override { return true; }
    CAnswer Ask(const CQuestionContext& context) const override {
        CAnswer answer;
        context.doc->CaseGraph().NameLines(
            [&answer](const std::string& line) {
                answer.Add(PANE_CASEGRAPH_LEGEND, CAnswer::Line{line});
            },
            context.progress);
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeNamesQuestion() {
    return std::make_unique<CNamesQuestion>();
}
