#include "app/frame/CQuestionCommands.h"

#include "app/frame/CMainFrame.h"
#include "base/OutputWriter.h"
#include "document/CZerinDoc.h"
#include "findings/DocumentNet.h"
#include "model/CNetStructure.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"
#include "views/CommandIds.h"

#include <deque>
#include <map>
#include <string>

namespace QuestionCommands {

namespace {

// The ids the menu had before its rows came from the registry (tests, settings and
// accessibility names know them).
int FixedId(const std::string& id) {
    static const std::map<std::string, int> ids = {
        {"case-class", Cmd::ID_WRITE_CASE_CLASS},
        {"classes", Cmd::ID_COMPUTE_ALL_REACHABLE},
        {"class-summary", Cmd::ID_COUNT_REACHABLE_CLASSES}};
    const auto it = ids.find(id);
    return it == ids.end() ? 0 : it->second;
}

} // namespace

bool CanAsk(const CZerinDoc& doc, const CQuestion& question) {
    return question.NeedsOnlyTheNet() || doc.Simulation().IsActive();
}

CAnswer Ask(CZerinDoc& doc, const CQuestion& question, const std::optional<CQuestionArgs>& args) {
    if (!CanAsk(doc, question))
        return {};
    if (question.UsesCaseNames())
        doc.NameForOutput();
    // The net's own initial case, also in simulation.
    const CNetStructure net = DocumentNet(doc);
    CQuestionArgs flags;
    for (const std::string& flag : question.Menu().flags)
        flags[flag];
    const CQuestionContext context{net, &doc, doc.Simulation().Engine(), args ? *args : flags, {}};
    CAnswer answer = CQuestionAsker::Ask(question, context);
    CAnswerWriter::Write(answer);
    if (!answer.error.empty())
        WriteError(PANE_ANALYSIS, answer.error);
    return answer;
}

std::vector<CCommandRow> Rows(bool first, int& nextId) {
    std::vector<CCommandRow> rows;
    for (const auto& entry : Questions().Questions()) {
        const CQuestion& question = *entry;
        const CQuestion::MenuEntry menu = question.Menu();
        if (menu.text.empty() || menu.first != first)
            continue;
        const int fixed = FixedId(question.Id());
        CCommandRow row;
        row.id = fixed != 0 ? fixed : nextId++;
        row.menu = "Analysis";
        // A row points at its texts: they are kept for the program's life, as the table.
        static std::deque<std::string> texts;
        row.text = texts.emplace_back(menu.text).c_str();
        row.prompt = texts.emplace_back(menu.prompt).c_str();
        row.rule = [&question](const CCommandContext& c, int) {
            return CCommandState{CanAsk(c.doc, question), false};
        };
        row.handler = [&question](CMainFrame& f, int) {
            f.AskQuestion(question);
            f.GetFrameServices().UpdateAllViews();
        };
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace QuestionCommands
