#include "cli/CSimulateCommand.h"

#include "cli/CCheckCommand.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CSimulateOptions.h"
#include "document/CAutomaticRun.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <cstdint>
#include <utility>

bool CSimulateCommand::SetBreakpoints(const std::vector<std::vector<std::string>>& cases,
                                      CCliSession& session) {
    CZerinDoc& doc = session.Doc();
    const CBreakPoints& breakPoints = doc.Simulation().RefillBreakPoints();
    std::vector<std::uint32_t> indices;
    for (const std::vector<std::string>& names : cases) {
        CSetConditions wanted;
        std::string text;
        for (const std::string& name : names) {
            CPNCondition* condition = doc.NetDesign().FindCondition(name);
            if (!condition) {
                session.Report("--break-at: no condition is named '" + name + "'");
                return false;
            }
            wanted.Add(condition);
        }
        bool found = false;
        for (int i = 0; i < breakPoints.m_nCases; ++i)
            if (breakPoints.GetCase(i).IsEqual(wanted)) {
                indices.push_back(static_cast<std::uint32_t>(i));
                found = true;
            }
        // A case the net never reaches cannot stop the run; the user should know.
        if (!found)
            session.Report("--break-at: the case " + wanted.ToString(false) +
                           " is not reachable, the breakpoint is never reached");
    }
    doc.Simulation().SetBreakpoints(indices);
    return true;
}

int CSimulateCommand::Run(const CSimulateOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, options.m_seed) ||
        !session.UseEngine(options.m_engine, options.m_breakAt.empty()
                                                 ? CCliSession::ENeeds::Anything
                                                 : CCliSession::ENeeds::Cases))
        return EXIT_CLI_FAILURE;
    if (const int status = CCheckCommand::EnterWithFullTest(session); status != EXIT_CLI_OK)
        return status;
    CZerinDoc& doc = session.Doc();
    if (!SetBreakpoints(options.m_breakAt, session))
        return EXIT_CLI_FAILURE;

    CAutomaticRun run;
    int steps = 0;
    const int limit = options.m_nSteps;
    run.Run(
        doc,
        [&] {
            // A limit of no step presses stop before the first step is fired.
            if (steps >= limit) {
                run.Stop();
                doc.Selection().Clear();
                return CAutomaticRun::STEP_FINISHED;
            }
            const int result = CAutomaticRun::ExecuteStepWithoutAnimation(doc);
            if (++steps >= limit)
                run.Stop();
            return result;
        },
        options.m_bLargest ? CAutomaticRun::CHOOSE_LARGEST : CAutomaticRun::CHOOSE_RANDOM);

    if (!options.m_strOccurrenceXml.empty() || !options.m_strOccurrenceGraphML.empty() ||
        !options.m_strOccurrenceDot.empty()) {
        if (!doc.Record().contactFree) {
            session.Report("the system is not contact-free, it has no occurrence net to export");
            return EXIT_CLI_FAILURE;
        }
        const std::pair<const char*, const std::string*> files[] = {
            {"occurrencenet", &options.m_strOccurrenceXml},
            {"graphml", &options.m_strOccurrenceGraphML},
            {"dot", &options.m_strOccurrenceDot}};
        for (const auto& [format, output] : files)
            if (!output->empty() &&
                !session.Export(format, CZerinDoc::DIAGRAM_OCCURRENCE_NET, *output))
                return EXIT_CLI_FAILURE;
    }
    if (!options.m_strSave.empty() && !session.Save(options.m_strSave))
        return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
