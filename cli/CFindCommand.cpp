#include "cli/CFindCommand.h"

#include "analysis/CCasePath.h"
#include "analysis/CPNCase.h"
#include "analysis/CaseClassSearch.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CFindOptions.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <ostream>

namespace {

// The named conditions of the net (only those with a name label are offered), or the
// first name that is none of them.
bool Resolve(const CNetDesign& net, const std::vector<std::string>& names,
             std::vector<CPNCondition*>& conditions, std::string& unknown) {
    for (const std::string& name : names) {
        CPNCondition* found = nullptr;
        for (CPNElement* e : net.m_listElements)
            if (auto* c = dynamic_cast<CPNCondition*>(e);
                c && c->m_pLabel && c->m_pLabel->GetText() == name) {
                found = c;
                break;
            }
        if (!found) {
            unknown = name;
            return false;
        }
        conditions.push_back(found);
    }
    return true;
}

} // namespace

int CFindCommand::Run(const CFindOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt) || !session.ComputeCaseGraph())
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    std::vector<CPNCondition*> wanted, unwanted;
    std::string unknown;
    if (!Resolve(doc.m_netDesign, options.m_wanted, wanted, unknown) ||
        !Resolve(doc.m_netDesign, options.m_unwanted, unwanted, unknown)) {
        session.Report("no condition is named '" + unknown + "'");
        return EXIT_CLI_FAILURE;
    }
    const CCaseGraph& graph = doc.m_caseGraph;
    std::vector<CSetConditions> cases;
    std::vector<std::uint8_t> reachable;
    for (const CPNCase* node : graph.m_arrCases) {
        cases.push_back(node->m_setConditions);
        reachable.push_back(node->m_bReachable ? 1 : 0);
    }
    const std::vector<std::size_t> found =
        FindCaseIndices(cases, reachable, wanted, unwanted, !options.m_bAllCases);
    std::ostream& out = session.Out();
    if (found.empty()) {
        out << "no such case\n";
        return EXIT_CLI_NOT_CE_SYSTEM;
    }
    for (std::size_t i : found)
        out << cases[i].ToString(false) << '\n';
    if (options.m_bPath) {
        const CPNCase* to = graph.m_arrCases[found.front()];
        const CPNCase* from = graph.GetInitialCase();
        for (const std::string& line : CCasePath::Find(graph, from, to).Describe(from, to))
            out << line << '\n';
    }
    return EXIT_CLI_OK;
}
