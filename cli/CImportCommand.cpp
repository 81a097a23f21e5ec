#include "cli/CImportCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CImportOptions.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"

int CImportCommand::Run(const CImportOptions& options, CCliSession& session) {
    bool notCENet = false;
    if (!session.Import(options.m_strFile, options.m_netId, notCENet))
        return notCENet ? EXIT_CLI_NOT_CE_SYSTEM : EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    int conditions = 0, events = 0, edges = 0;
    for (const CPNElement* element : doc.NetDesign().m_listElements) {
        conditions += dynamic_cast<const CPNCondition*>(element) ? 1 : 0;
        events += dynamic_cast<const CPNEvent*>(element) ? 1 : 0;
        edges += dynamic_cast<const CPNEdge*>(element) ? 1 : 0;
    }
    session.Out() << "Imported " << conditions << " conditions, " << events << " events and "
                  << edges << " edges from " << options.m_strFile << '\n';
    return session.Save(options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}
