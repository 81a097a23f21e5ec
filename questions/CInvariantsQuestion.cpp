#include "questions/CQuestion.h"
#include "questions/StructureAnswers.h"
#include "structure/CInvariantAnalysis.h"
#include "structure/CSiphonAnalysis.h"

#include <memory>

namespace {

// The minimal S-invariants (weightings of conditions every event keeps, with their value
// in the initial case) and, asked for, the T-invariants (events that lead a case back to
// itself), the minimal siphons and their largest traps; whether the net is covered.
class CInvariantsQuestion : public CQuestion {
public:
    std::string Id() const override { return "invariants"; }
    ENeeds Needs() const override { return ENeeds::Net; }
    CommandLine Cli() const override {
        return {.command = "invariants",
                .synopsis = "invariants MODEL [--events] [--siphons] [--traps]\n"
                            "           [--format text|csv|json] [--limit N]",
                .description = "the minimal S-invariants (and T-invariants,\nsiphons and "
                               "traps) of the net (MODEL a\n.zrn or a .pnml)"};
    }
    std::vector<Option> Options() const override {
        std::vector<Option> options{
            {"--events", "", "the T-invariants too"},
            {"--siphons", "", "the minimal siphons too"},
            {"--traps", "", "the largest trap of each minimal siphon too"}};
        for (Option& option : StructureAnswers::FormatOptions())
            options.push_back(std::move(option));
        return options;
    }
    MenuEntry Menu() const override {
        return {.text = "Invariants",
                .prompt = "The minimal S- and T-invariants of the net, with their "
                          "values\nInvariants",
                .flags = {"--events"}};
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        std::size_t limit = 0;
        if (std::string wrong = StructureAnswers::Limit(context, limit); !wrong.empty())
            return CAnswer::Failed(wrong);
        const CInvariantAnalysis analysis(context.net);
        StructureAnswers::Found found;
        found.sInvariants = analysis.FindSInvariants(limit, context.progress);
        if (context.Has("--events"))
            found.tInvariants = analysis.FindTInvariants(limit, context.progress);
        found.traps = context.Has("--traps");
        if (context.Has("--siphons") || found.traps)
            found.siphons = CSiphonAnalysis(context.net).Analyse(limit, context.progress);
        return StructureAnswers::Answer(found, context);
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeInvariantsQuestion() {
    return std::make_unique<CInvariantsQuestion>();
}
