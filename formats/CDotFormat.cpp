#include "formats/CDotFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"
#include "formats/GraphForOtherTools.h"

CDotFormat::CDotFormat()
    : CExportFormat("dot", "DOT", "dot", "as a Graphviz DOT graph",
                    {{CZerinDoc::DIAGRAM_CASE_GRAPH, NEED_CASE_GRAPH | NEED_STORED_STEPS},
                     {CZerinDoc::DIAGRAM_OCCURRENCE_NET, NEED_CONTACT_FREE}}) {}

CFileResult CDotFormat::Write(const CExportInput& input, const std::string& path) const {
    return GraphForOtherTools(input.doc, input.diagram).SaveDot(path);
}
