#include "cli/CExportCommand.h"

#include "cli/CCliOptions.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"

int CExportCommand::Run(const CCliOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    CCliFrame& frame = session.Frame();
    // The document's own command, answered with the path of the command line.
    frame.SetExportPath(options.m_strNetDesignXml);
    doc.OnExportNetDesignXML();
    if (!frame.GetLastError())
        return EXIT_CLI_OK;
    session.Check(CFileResult::Failure(*frame.GetLastError()), options.m_strNetDesignXml);
    return EXIT_CLI_FAILURE;
}
