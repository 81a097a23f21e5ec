#include "base/OutputWriter.h"
#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "model/CPNEvent.h"
#include "questions/CQuestion.h"
#include "questions/CaseClassAnswers.h"

#include <memory>

namespace {

using CaseClassAnswers::kBothWays;

// The events without forward concession in any case of the case class both ways: they
// never occur, whichever way the system goes. Every engine answers it, the decision
// diagrams too.
class CClassDeadEventsQuestion : public CQuestion {
public:
    std::string Id() const override { return "class-dead-events"; }
    ENeeds Needs() const override { return ENeeds::CaseClass; }
    CommandLine Cli() const override {
        return {.command = "class-dead-events",
                .description = "the events without concession in every case\nof the case class "
                               "(forward and backward)"};
    }
    MenuEntry Menu() const override {
        const std::string text = std::string("Dead Events") + kBothWays;
        return {text, "List the events that have concession in no case of the case class, "
                      "forward and backward\n" +
                          text};
    }
    CAnswer Ask(const CQuestionContext& context) const override {
        const std::vector<CPNEvent*>& events = context.net.Events();
        CAnswer::Table table;
        table.columns = {"event"};
        for (std::size_t e = 0; e < events.size(); ++e) {
            if (!ReportWork(context.progress, e, events.size()))
                return CAnswer::Failed(Id() + ": cancelled");
            if (events[e] && !context.engine->HasConcessionInTheClass(*events[e]))
                table.rows.push_back({context.net.EventName(static_cast<int>(e))});
        }
        CAnswer answer;
        answer.Add(PANE_ANALYSIS,
                   CAnswer::Verdict{.id = Id(),
                                    .value = table.rows.empty() ? CAnswer::Verdict::EValue::False
                                                                : CAnswer::Verdict::EValue::True,
                                    .sentence = table.rows.empty()
                                                    ? std::string("No dead events") + kBothWays +
                                                          ": each has concession in a case of it"
                                                    : std::to_string(table.rows.size()) +
                                                          " dead event(s)" + kBothWays + ":"});
        answer.Add(PANE_ANALYSIS, CAnswer::Count{"dead-events", std::to_string(table.rows.size())});
        if (!table.rows.empty())
            answer.Add(PANE_ANALYSIS, std::move(table));
        return answer;
    }
};

} // namespace

std::unique_ptr<CQuestion> MakeClassDeadEventsQuestion() {
    return std::make_unique<CClassDeadEventsQuestion>();
}
