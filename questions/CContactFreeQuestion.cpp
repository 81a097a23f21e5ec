#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "questions/CQuestion.h"

#include <memory>

namespace {

// Whether no case of the class holds a contact situation of an event: its pre-set held
// and a condition of its post-set, or the other way round.
class CContactFreeQuestion : public CQuestion {
public:
    std::string Id() const override { return "contact-free"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override {
        return {.command = "casegraph",
                .flag = "--contact-free",
                .help = "write whether the system is contact-free"};
    }
    int Rank() const override { return 10; }
    CAnswer Ask(const CQuestionContext& context) const override {
        const bool free = context.engine->IsContactFree();
        CAnswer answer;
        answer.Add(PANE_STANDARD,
                   CAnswer::Verdict{.id = Id(),
                                    .value = free ? CAnswer::Verdict::EValue::True
                                                  : CAnswer::Verdict::EValue::False,
                                    .sentence = free ? "System is contact-free"
                                                     : "System is not contact-free"});
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeContactFreeQuestion() {
    return std::make_unique<CContactFreeQuestion>();
}
