#include "app/frame/CCommandTable.h"

#include "app/frame/menus/CommandMenus.h"

#include <algorithm>

namespace {

std::vector<CCommandRow> MakeTable() {
    std::vector<CCommandRow> rows;
    for (std::vector<CCommandRow> menu :
         {MakeFileMenu(), MakeEditMenu(), MakeViewMenu(), MakeToolsMenu(), MakeNetDesignMenu(),
          MakeSimulationMenu(), MakeAnalysisMenu(AnalysisCommandList()), MakeCaseGraphMenu(),
          MakeOccurrenceNetMenu(), MakeHelpMenu(), MakeOutputMenu()})
        rows.insert(rows.end(), std::make_move_iterator(menu.begin()),
                    std::make_move_iterator(menu.end()));
    return rows;
}

} // namespace

const std::vector<CCommandRow>& CommandTable() {
    static const std::vector<CCommandRow> table = MakeTable();
    return table;
}

const CCommandRow* FindCommand(int nId) {
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [nId](const CCommandRow& row) { return row.id == nId; });
    return nId != 0 && it != table.end() ? &*it : nullptr;
}
