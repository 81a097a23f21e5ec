#include "cli/CFindCommand.h"

#include "casegraph/CCasePath.h"
#include "casegraph/CPNCase.h"
#include "engines/CaseClassSearch.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CFindOptions.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <cstdint>
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

// The cases a search lists past the stored graph.
constexpr std::size_t kShownCases = 1000;

} // namespace

int CFindCommand::Run(const CFindOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::Anything))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    std::vector<CPNCondition*> wanted, unwanted;
    std::string unknown;
    if (!Resolve(doc.NetDesign(), options.m_wanted, wanted, unknown) ||
        !Resolve(doc.NetDesign(), options.m_unwanted, unwanted, unknown)) {
        session.Report("no condition is named '" + unknown + "'");
        return EXIT_CLI_FAILURE;
    }
    CCaseEngine* analysis = session.Analyse();
    if (!analysis)
        return EXIT_CLI_FAILURE;
    // The stored graph lists every case found; an engine for larger nets the first
    // thousand and how many there are.
    const bool stored = doc.CaseGraph().HasAllSteps() && !doc.CaseGraph().Cases().empty();
    const std::size_t shown = stored ? SIZE_MAX : kShownCases;
    const CCaseSearchResult found = analysis->Find(wanted, unwanted, !options.m_bAllCases, shown);
    std::ostream& out = session.Out();
    if (found.first.empty()) {
        out << "no such case\n";
        return EXIT_CLI_NOT_CE_SYSTEM;
    }
    for (const CSetConditions& c : found.first)
        out << c.ToString(false) << '\n';
    if (found.count != std::to_string(found.first.size()))
        out << "(the first " << found.first.size() << " of " << found.count << " cases)\n";
    if (options.m_bPath)
        for (const std::string& line : DescribeRun(analysis->PathTo(found.first.front())))
            out << line << '\n';
    return EXIT_CLI_OK;
}
