#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CDocumentCommands.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CQuestionCommands.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

std::vector<CCommandRow>& AnalysisCommandList() {
    static std::vector<CCommandRow> listed;
    return listed;
}

namespace {

// The property list, first: the properties checked, with their runs.
std::vector<CCommandRow> PropertyListRows() {
    return {{.id = ID_PROPERTY_LIST,
             .menu = "Analysis",
             .text = "Properties",
             .prompt = "Check properties of the system, each with the run that shows its "
                       "answer\nProperties",
             .checkable = true,
             .rule = [](const CCommandContext& c,
                        int) { return Enabled(true, c.frame.IsPropertyListVisible()); },
             .handler = Frame(&CMainFrame::TogglePropertyList)},
            {.id = 0, .menu = "Analysis"}};
}

} // namespace

// The property list; the case class written out and exported (the export formats that are
// analyses), its verification and the reachable cases; then the rows of the list.
std::vector<CCommandRow> MakeAnalysisMenu(const std::vector<CCommandRow>& listed) {
    int nId = ID_ANALYSIS_LISTED_FIRST;
    std::vector<CCommandRow> rows = PropertyListRows();
    // The questions whose entries stand first (the case class written out), the exports
    // that are analyses, the verification, the other questions, the rows listed.
    for (CCommandRow& row : QuestionCommands::Rows(true, nId))
        rows.push_back(std::move(row));
    AppendExportRows(rows, "Analysis", std::nullopt);
    rows.push_back({.id = ID_CASE_CLASS_VERIFICATION,
                    .menu = "Analysis",
                    .text = "Case Class Verification",
                    .prompt = "Check cases against the case class\nCase Class Verification",
                    .rule = Active(),
                    .handler = Command(&DocumentCommands::CaseClassVerification)});
    for (CCommandRow& row : QuestionCommands::Rows(false, nId))
        rows.push_back(std::move(row));
    for (CCommandRow row : listed) {
        if (nId > ID_ANALYSIS_LISTED_LAST)
            break;
        row.id = nId++;
        row.menu = "Analysis";
        rows.push_back(std::move(row));
    }
    return rows;
}
