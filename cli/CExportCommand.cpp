#include "cli/CExportCommand.h"

#include "cli/CCliOptions.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "exchange/CPnmlExport.h"

int CExportCommand::Run(const CCliOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    if (!options.m_strPnml.empty() &&
        !session.Check(CPnmlExport(doc.m_netDesign).Export(options.m_strPnml), options.m_strPnml))
        return EXIT_CLI_FAILURE;
    if (options.m_strNetDesignXml.empty())
        return EXIT_CLI_OK;
    CCliFrame& frame = session.Frame();
    // The document's own command, answered with the path of the command line.
    frame.SetExportPath(options.m_strNetDesignXml);
    doc.OnExportNetDesignXML();
    if (!frame.GetLastError())
        return EXIT_CLI_OK;
    session.Check(CFileResult::Failure(*frame.GetLastError()), options.m_strNetDesignXml);
    return EXIT_CLI_FAILURE;
}
