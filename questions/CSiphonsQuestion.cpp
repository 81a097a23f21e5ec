#include "questions/CQuestion.h"
#include "questions/StructureAnswers.h"
#include "structure/CSiphonAnalysis.h"

#include <memory>

namespace {

// The minimal siphons (sets of conditions that, once empty, stay empty), each with the
// largest trap inside it; whether every one holds a trap marked initially (then none is
// ever emptied), and for a free-choice net whether it is live.
class CSiphonsQuestion : public CQuestion {
public:
    std::string Id() const override { return "siphons"; }
    ENeeds Needs() const override { return ENeeds::Net; }
    CommandLine Cli() const override {
        return {.command = "siphons",
                .synopsis = "siphons MODEL [--format text|csv|json] [--limit N]",
                .description = "the minimal siphons of the net with their\nlargest traps (MODEL a "
                               ".zrn or a .pnml)"};
    }
    std::vector<Option> Options() const override { return StructureAnswers::FormatOptions(); }
    MenuEntry Menu() const override {
        return {"Siphons and Traps",
                "The minimal siphons of the net and the largest trap in each\nSiphons and Traps"};
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        std::size_t limit = 0;
        if (std::string wrong = StructureAnswers::Limit(context, limit); !wrong.empty())
            return CAnswer::Failed(wrong);
        StructureAnswers::Found found;
        found.siphons = CSiphonAnalysis(context.net).Analyse(limit, context.progress);
        found.traps = true;
        return StructureAnswers::Answer(found, context);
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeSiphonsQuestion() {
    return std::make_unique<CSiphonsQuestion>();
}
