#include "cli/CSimulateCommand.h"

#include "cli/CCheckCommand.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CSimulateOptions.h"

#include <utility>

int CSimulateCommand::Run(const CSimulateOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, options.m_seed) ||
        !session.UseEngine(options.m_engine, options.m_breakAt.empty()
                                                 ? CCliSession::ENeeds::Anything
                                                 : CCliSession::ENeeds::Cases))
        return EXIT_CLI_FAILURE;
    if (const int status = CCheckCommand::EnterWithFullTest(session); status != EXIT_CLI_OK)
        return status;
    CZerinDoc& doc = session.Doc();
    if (!session.SetBreakpoints(options.m_breakAt))
        return EXIT_CLI_FAILURE;
    session.RunAutomatically(options.m_nSteps, options.m_bLargest);

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
