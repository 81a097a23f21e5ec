#include "cli/CRenderCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CRenderOptions.h"
#include "formats/CExportInput.h"
#include "platform/CPictureExport.h"
#include "platform/ExportFormats.h"

int CRenderCommand::Run(const CRenderOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, options.m_seed) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::StoredGraph))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    int nDiagram = CZerinDoc::DIAGRAM_NET_DESIGN;
    if (options.m_strView == "casegraph") {
        nDiagram = CZerinDoc::DIAGRAM_CASE_GRAPH;
        const CCaseGraph& graph = doc.CaseGraph();
        // A graph the file holds laid out is drawn as the user left it.
        if (!doc.Record().caseGraphLaidOut || !graph.IsLaidOut() || graph.Cases().empty()) {
            if (!session.ComputeCaseGraph())
                return EXIT_CLI_FAILURE;
            session.LayOutCaseGraph();
        }
    } else if (options.m_strView == "occurrence") {
        nDiagram = CZerinDoc::DIAGRAM_OCCURRENCE_NET;
        doc.LayOutOccurrenceNet(session.MeasureDC());
    }
    // The picture format of the output's extension.
    const CExportFormat* format = ExportFormats().FindPicture(options.m_strOutput, nDiagram);
    const CFileResult result =
        format
            ? format->Write(ModelInput(doc, nDiagram, options.m_bStandalone), options.m_strOutput)
            : CFileResult::Failure(CPictureExport::UnknownFormat(options.m_strOutput));
    return session.Check(result, options.m_strOutput) ? EXIT_CLI_OK : EXIT_CLI_FAILURE;
}
