#include "cli/CFileCommands.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CFileOptions.h"

int CFileCommands::Resave(const CFileOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    return session.Save(options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}

int CFileCommands::New(const CFileOptions& options, CCliSession& session) {
    session.New(std::nullopt);
    return session.Save(options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}
