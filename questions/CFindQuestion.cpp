#include "base/OutputWriter.h"
#include "casegraph/CCaseGraph.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "questions/CQuestion.h"
#include "questions/ConditionArgs.h"

#include <cstdint>
#include <memory>

namespace {

// The conditions the option names, as the design's; the first unknown name as the error.
std::string Resolve(const CNetStructure& net, const CQuestionArgs& args, const char* option,
                    std::vector<CPNCondition*>& conditions) {
    std::vector<int> numbers;
    std::string error = ConditionArgs::Resolve(net, args, option, numbers);
    if (!numbers.empty() && net.Conditions().empty())
        return "the net has no drawn conditions";
    for (int c : numbers)
        conditions.push_back(net.Conditions()[static_cast<std::size_t>(c)]);
    return error;
}

// The cases of the class holding the wanted conditions and none of the unwanted ones,
// only those reachable forwards unless all are asked for; with the shortest way from the
// initial case to the first one.
class CFindQuestion : public CQuestion {
public:
    // The cases a search lists past the stored graph.
    static constexpr std::size_t kShownCases = 1000;

    std::string Id() const override { return "find"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override {
        return {.command = "find",
                .synopsis = "find FILE [--wanted a,b] [--unwanted c] [--all-cases] [--path]\n"
                            "          [--engine E] [--max-cases N] [--max-memory SIZE]",
                .description = "the cases holding the wanted conditions and\nnone of the "
                               "unwanted ones; with --path the\nshortest way to the first one"};
    }
    std::vector<Option> Options() const override {
        return {{"--wanted", "a,b", "the conditions a case must hold"},
                {"--unwanted", "c", "the conditions a case must not hold"},
                {"--all-cases", "", "look through every case, not only those reachable forwards"},
                {"--path", "", "write the shortest way to the first case found"}};
    }
    std::string CheckArguments(const CNetStructure& net, const CQuestionArgs& args) const override {
        std::vector<CPNCondition*> conditions;
        const std::string wanted = Resolve(net, args, "--wanted", conditions);
        return wanted.empty() ? Resolve(net, args, "--unwanted", conditions) : wanted;
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        std::vector<CPNCondition*> wanted, unwanted;
        if (const std::string error = CheckArguments(context.net, context.args); !error.empty())
            return CAnswer::Failed(error);
        Resolve(context.net, context.args, "--wanted", wanted);
        Resolve(context.net, context.args, "--unwanted", unwanted);
        // The stored graph lists every case found; an engine for larger nets the first
        // thousand and how many there are.
        const bool stored = context.doc && context.doc->CaseGraph().HasAllSteps() &&
                            !context.doc->CaseGraph().Cases().empty();
        const CCaseSearchResult found = context.engine->Find(
            wanted, unwanted, !context.Has("--all-cases"), stored ? SIZE_MAX : kShownCases);
        CAnswer answer;
        if (found.first.empty()) {
            answer.Add(PANE_ANALYSIS, CAnswer::Line{"no such case"});
            answer.status = 1;
            return answer;
        }
        CAnswer::Cases cases;
        for (const CSetConditions& c : found.first)
            cases.cases.push_back(c.ToString(false));
        answer.Add(PANE_ANALYSIS, std::move(cases));
        answer.Add(PANE_ANALYSIS, CAnswer::Count{"cases", found.count, {}});
        if (found.count != std::to_string(found.first.size()))
            answer.Add(PANE_ANALYSIS,
                       CAnswer::Line{"(the first " + std::to_string(found.first.size()) + " of " +
                                     found.count + " cases)"});
        if (context.Has("--path"))
            if (std::optional<CCaseRun> run = context.engine->PathTo(found.first.front()))
                answer.Add(PANE_ANALYSIS, CAnswer::Run{.caseRun = std::move(run)});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeFindQuestion() {
    return std::make_unique<CFindQuestion>();
}
