#include "base/OutputWriter.h"
#include "model/CNetStructure.h"
#include "questions/CQuestion.h"
#include "questions/ConditionArgs.h"
#include "structure/CStateEquation.h"

#include <memory>

namespace {

// The names of the conditions, joined "a, b".
std::string Names(const CNetStructure& net, const std::vector<int>& conditions) {
    std::string text;
    for (int c : conditions)
        text += (text.empty() ? "" : ", ") + net.ConditionName(c);
    return text;
}

// Whether a case with the wanted conditions and none of the unwanted ones can be
// reached, asked of the state equation alone: "no" is a proof, found without exploring a
// case; "don't know" where the equation has a solution (or the search ran out of time).
class CReachableQuestion : public CQuestion {
public:
    std::string Id() const override { return "reachable"; }
    ENeeds Needs() const override { return ENeeds::Net; }
    CommandLine Cli() const override {
        return {.command = "reachable",
                .synopsis = "reachable MODEL [--wanted a,b] [--unwanted c] [--all-cases]\n"
                            "          [--time-limit S]",
                .description = "whether a case holding the wanted conditions and\nnone of the "
                               "unwanted ones can be reached, by the\nstate equation: \"no\" "
                               "or \"don't know\""};
    }
    std::vector<Option> Options() const override {
        return {{"--wanted", "a,b", "the conditions the case holds"},
                {"--unwanted", "c", "the conditions the case does not hold"},
                {"--all-cases", "", "by steps forward and backward, not only forward"},
                {"--time-limit", "S", "seconds the integer search may take (default 10)"}};
    }
    std::string CheckArguments(const CNetStructure& net, const CQuestionArgs& args) const override {
        std::vector<int> conditions;
        std::string error = ConditionArgs::Resolve(net, args, "--wanted", conditions);
        if (error.empty())
            error = ConditionArgs::Resolve(net, args, "--unwanted", conditions);
        if (error.empty() && args.count("--time-limit") && TimeLimitMs(args) < 0)
            error = "--time-limit takes a number of seconds, not '" +
                    args.at("--time-limit").back() + "'";
        return error;
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        if (std::string error = CheckArguments(context.net, context.args); !error.empty())
            return CAnswer::Failed(error);
        std::vector<int> wanted, unwanted;
        ConditionArgs::Resolve(context.net, context.args, "--wanted", wanted);
        ConditionArgs::Resolve(context.net, context.args, "--unwanted", unwanted);
        CStateEquationQuery query;
        query.forward = !context.Has("--all-cases");
        if (context.Has("--time-limit"))
            query.timeLimitMs = TimeLimitMs(context.args);
        for (int c : wanted)
            query.Want(c);
        for (int c : unwanted)
            query.Forbid(c);
        const CStateEquationResult result =
            CStateEquation(context.net).Solve(query, context.progress);
        if (result.cancelled)
            return CAnswer::Failed("cancelled");
        CAnswer answer;
        std::string which = "a case";
        if (!wanted.empty())
            which += " holding " + Names(context.net, wanted);
        if (!unwanted.empty())
            which += (wanted.empty() ? " holding none of " : " and none of ") +
                     Names(context.net, unwanted);
        const std::string how = query.forward ? "forward" : "by steps forward and backward";
        CAnswer::Verdict verdict{.id = Id(), .techniques = {"STATE_EQUATION"}};
        if (result.verdict == EStateEquationVerdict::Unreachable) {
            verdict.value = CAnswer::Verdict::EValue::False;
            verdict.sentence =
                "no: " + which + " is not reached " + how + " (the state equation has no solution)";
            answer.status = 1;
        } else {
            verdict.why = result.solved ? "the state equation has a solution"
                                        : "the integer search ran out of time";
            verdict.sentence =
                "don't know: " + verdict.why + ", " + which + " may or may not be reached " + how;
        }
        answer.Add(PANE_ANALYSIS, std::move(verdict));
        return answer;
    }

private:
    // The time limit in milliseconds, -1 where the text is no number of seconds.
    static int TimeLimitMs(const CQuestionArgs& args) {
        const std::string& text = args.at("--time-limit").back();
        try {
            std::size_t used = 0;
            const double seconds = std::stod(text, &used);
            if (used != text.size() || !(seconds > 0) || seconds > 86400)
                return -1;
            return static_cast<int>(seconds * 1000);
        } catch (const std::exception&) {
            return -1;
        }
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeReachableQuestion() {
    return std::make_unique<CReachableQuestion>();
}
