#include "formats/CGraphMLFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"
#include "formats/GraphForOtherTools.h"

CGraphMLFormat::CGraphMLFormat()
    : CExportFormat("graphml", "GraphML", "graphml", "as GraphML for other graph tools",
                    {{CZerinDoc::DIAGRAM_CASE_GRAPH, NEED_CASE_GRAPH | NEED_STORED_STEPS},
                     {CZerinDoc::DIAGRAM_OCCURRENCE_NET, NEED_CONTACT_FREE}}) {}

CFileResult CGraphMLFormat::Write(const CExportInput& input, const std::string& path) const {
    return GraphForOtherTools(input.doc, input.diagram).SaveGraphML(path);
}
