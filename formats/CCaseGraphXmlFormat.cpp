#include "formats/CCaseGraphXmlFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"

CCaseGraphXmlFormat::CCaseGraphXmlFormat()
    : CExportFormat("casegraph", "XML", "xml", "as XML",
                    {{CZerinDoc::DIAGRAM_CASE_GRAPH, NEED_CASE_GRAPH | NEED_STORED_STEPS}}) {}

CFileResult CCaseGraphXmlFormat::Write(const CExportInput& input, const std::string& path) const {
    input.doc.NameForOutput(CZerinDoc::DIAGRAM_CASE_GRAPH);
    return input.doc.CaseGraph().ExportCaseGraphXML(path);
}
