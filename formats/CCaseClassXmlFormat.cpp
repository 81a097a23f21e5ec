#include "formats/CCaseClassXmlFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"

CCaseClassXmlFormat::CCaseClassXmlFormat()
    : CExportFormat("caseclass", "XML", "xml", "as XML",
                    {{CZerinDoc::DIAGRAM_CASE_GRAPH,
                      NEED_SIMULATION | NEED_CASE_GRAPH | NEED_LISTED_CASES}}) {}

std::string CCaseClassXmlFormat::GetPrompt(int /*nDiagram*/) const {
    return "Write the case class " + GetWhat() + "\n" + GetMenuText();
}

CFileResult CCaseClassXmlFormat::Write(const CExportInput& input, const std::string& path) const {
    return input.doc.CaseGraph().ExportCaseClassXML(path);
}

std::string CCaseClassXmlFormat::GetProposedName(const CZerinDoc& doc, int /*nDiagram*/) const {
    return doc.GetTitle() + "-CaseClass";
}
