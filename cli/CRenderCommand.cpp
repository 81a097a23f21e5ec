#include "cli/CRenderCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CRenderOptions.h"
#include "platform/CPictureExport.h"

int CRenderCommand::Run(const CRenderOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, options.m_seed) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::StoredGraph))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    CFileResult result;
    if (options.m_strView == "casegraph") {
        const CCaseGraph& graph = doc.CaseGraph();
        // A graph the file holds laid out is drawn as the user left it.
        if (!doc.Record().caseGraphLaidOut || !graph.IsLaidOut() || graph.Cases().empty()) {
            if (!session.ComputeCaseGraph())
                return EXIT_CLI_FAILURE;
            session.LayOutCaseGraph();
        }
        result = CPictureExport::Export(
            options.m_strOutput, graph.Extent(), [&graph](CDC& dc) { graph.Draw(dc); },
            "casegraph", options.m_bStandalone);
    } else if (options.m_strView == "occurrence") {
        const COccurrenceNet& record = doc.OccurrenceNet();
        doc.LayOutOccurrenceNet(session.MeasureDC());
        result = CPictureExport::Export(
            options.m_strOutput, record.m_sizeNet, [&record](CDC& dc) { record.Draw(dc); },
            "occurrence", options.m_bStandalone);
    } else {
        result = CPictureExport::Export(
            options.m_strOutput, doc.NetDesign().m_sizeNet,
            [&doc](CDC& dc) { doc.DrawNetDesign(dc); }, "net", options.m_bStandalone);
    }
    return session.Check(result, options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}
