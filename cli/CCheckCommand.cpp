#include "cli/CCheckCommand.h"

#include "cli/CCliOptions.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"

bool CCheckCommand::EnterWithFullTest(CCliSession& session) {
    CZerinDoc& doc = session.Doc();
    doc.SetNetModified();
    doc.EnterSimulation();
    return doc.m_bSimulation;
}

int CCheckCommand::Run(const CCliOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    return EnterWithFullTest(session) ? EXIT_CLI_OK : EXIT_CLI_NOT_CE_SYSTEM;
}
