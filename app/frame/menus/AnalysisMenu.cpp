#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CDocumentCommands.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

std::vector<CCommandRow>& AnalysisCommandList() {
    static std::vector<CCommandRow> listed;
    return listed;
}

// The case class written out and exported (the export formats that are analyses), its
// verification and the reachable cases; then the rows of the list.
std::vector<CCommandRow> MakeAnalysisMenu(const std::vector<CCommandRow>& listed) {
    std::vector<CCommandRow> rows = {
        {.id = ID_WRITE_CASE_CLASS,
         .menu = "Analysis",
         .text = "Write Out Case Class",
         .prompt = "Write the case class to the output window\nWrite Out Case Class",
         .rule = Active(),
         .handler = Command(&DocumentCommands::WriteCaseClass)},
    };
    AppendExportRows(rows, "Analysis", std::nullopt);
    const std::vector<CCommandRow> computed = {
        {.id = ID_CASE_CLASS_VERIFICATION,
         .menu = "Analysis",
         .text = "Case Class Verification",
         .prompt = "Check cases against the case class\nCase Class Verification",
         .rule = Active(),
         .handler = Command(&DocumentCommands::CaseClassVerification)},
        {.id = ID_COMPUTE_ALL_REACHABLE,
         .menu = "Analysis",
         .text = "Compute All Reachable Cases",
         .prompt =
             "Compute the cases reachable forwards and backwards\nCompute All Reachable Cases",
         .rule = Active(),
         .handler = Command(&DocumentCommands::ComputeAllReachable)},
        {.id = ID_COUNT_REACHABLE_CLASSES,
         .menu = "Analysis",
         .text = "Count Reachable Classes",
         .prompt = "Count the classes of cases that reach the same cases, without listing them\n"
                   "Count Reachable Classes",
         .rule = Active(),
         .handler = Command(&DocumentCommands::CountReachableClasses)},
    };
    rows.insert(rows.end(), computed.begin(), computed.end());
    int nId = ID_ANALYSIS_LISTED_FIRST;
    for (CCommandRow row : listed) {
        if (nId > ID_ANALYSIS_LISTED_LAST)
            break;
        row.id = nId++;
        row.menu = "Analysis";
        rows.push_back(std::move(row));
    }
    return rows;
}
