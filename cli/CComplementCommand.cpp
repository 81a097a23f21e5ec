#include "cli/CComplementCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CComplementOptions.h"

int CComplementCommand::Run(const CComplementOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    // The complement reads the flow relation, built here from the net as loaded.
    doc.Simulation().BuildInitialCase();
    doc.ComplementNet(session.MeasureDC());
    doc.SetNetModified();
    doc.SetModifiedFlag();
    return session.Save(options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}
