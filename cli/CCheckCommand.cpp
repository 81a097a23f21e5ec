#include "cli/CCheckCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCheckOptions.h"

int CCheckCommand::EnterWithFullTest(CCliSession& session) {
    switch (session.EnterWithFullTest()) {
    case CHeadlessSession::ETest::CESystem:
        return EXIT_CLI_OK;
    case CHeadlessSession::ETest::NotCESystem:
        return EXIT_CLI_NOT_CE_SYSTEM;
    case CHeadlessSession::ETest::Failed:
        break;
    }
    return EXIT_CLI_FAILURE;
}

int CCheckCommand::Run(const CCheckOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::Anything))
        return EXIT_CLI_FAILURE;
    return EnterWithFullTest(session);
}
