#include "cli/CCheckCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCheckOptions.h"

int CCheckCommand::EnterWithFullTest(CCliSession& session) {
    CZerinDoc& doc = session.Doc();
    doc.SetNetModified();
    doc.Simulation().Enter();
    if (doc.Simulation().IsActive())
        return EXIT_CLI_OK;
    // A case graph that did not fit in memory says nothing about the net.
    if (const auto& error = session.Frame().GetLastError()) {
        session.Report(*error);
        return EXIT_CLI_FAILURE;
    }
    return EXIT_CLI_NOT_CE_SYSTEM;
}

int CCheckCommand::Run(const CCheckOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::Anything))
        return EXIT_CLI_FAILURE;
    return EnterWithFullTest(session);
}
