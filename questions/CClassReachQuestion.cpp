#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "questions/CQuestion.h"
#include "questions/CaseClassAnswers.h"

#include <memory>

namespace {

using CaseClassAnswers::kBothWays;

// Whether a case of the case class both ways holds every wanted condition and none of the
// unwanted ones, and the shortest way to the first one by forward and backward steps.
class CClassReachQuestion : public CQuestion {
public:
    std::string Id() const override { return "class-reach"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override {
        return {.command = "class-reach",
                .description =
                    "whether a case of the case class (forward and\nbackward) holds "
                    "the wanted conditions and\nnone of the unwanted, and the way to it"};
    }
    std::vector<Option> Options() const override {
        return {{"--wanted", "a,b", "the conditions the case holds"},
                {"--unwanted", "c", "the conditions the case does not hold"}};
    }
    MenuEntry Menu() const override {
        const std::string text = std::string("Reach a Case") + kBothWays + "...";
        return {text, "Look for a case of the case class, forward and backward, with the "
                      "conditions given, and the way to it\n" +
                          text};
    }
    std::string CheckArguments(const CNetStructure& net, const CQuestionArgs& args) const override {
        std::vector<CPNCondition*> conditions;
        std::string fault = CaseClassAnswers::Conditions(net, args, "--wanted", conditions);
        return fault.empty() ? CaseClassAnswers::Conditions(net, args, "--unwanted", conditions)
                             : fault;
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        if (std::string fault = CheckArguments(context.net, context.args); !fault.empty())
            return CAnswer::Failed(fault);
        std::vector<CPNCondition*> wanted, unwanted;
        CaseClassAnswers::Conditions(context.net, context.args, "--wanted", wanted);
        CaseClassAnswers::Conditions(context.net, context.args, "--unwanted", unwanted);
        const CCaseSearchResult found = context.engine->Find(wanted, unwanted, false, 1);
        const std::string asked =
            "holding " + CaseClassAnswers::Names(wanted) +
            (unwanted.empty() ? "" : " and none of " + CaseClassAnswers::Names(unwanted));
        CAnswer answer;
        CAnswer::Verdict verdict{.id = Id()};
        if (found.first.empty()) {
            verdict.value = CAnswer::Verdict::EValue::False;
            verdict.sentence = std::string("No case") + kBothWays + " is " + asked;
            answer.Add(PANE_ANALYSIS, verdict);
            answer.status = 1;
            return answer;
        }
        verdict.value = CAnswer::Verdict::EValue::True;
        verdict.sentence = "Reached" + std::string(kBothWays) + ": " + found.count + " case(s) " +
                           asked + ", the first " + found.first.front().ToString(false);
        answer.Add(PANE_ANALYSIS, verdict);
        answer.Add(PANE_ANALYSIS, CAnswer::Count{"cases", found.count, {}});
        if (std::optional<CCaseRun> run = context.engine->PathTo(found.first.front()))
            answer.Add(PANE_ANALYSIS, CAnswer::Run{.caseRun = std::move(run)});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeClassReachQuestion() {
    return std::make_unique<CClassReachQuestion>();
}
