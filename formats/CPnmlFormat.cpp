#include "formats/CPnmlFormat.h"

#include "document/CZerinDoc.h"
#include "exchange/CPnmlExport.h"
#include "formats/CExportInput.h"

CPnmlFormat::CPnmlFormat()
    : CExportFormat("pnml", "PNML", "pnml", "for other Petri net tools",
                    {{CZerinDoc::DIAGRAM_NET_DESIGN, NEED_DESIGN}}) {}

CFileResult CPnmlFormat::Write(const CExportInput& input, const std::string& path) const {
    return CPnmlExport(input.doc.NetDesign(), input.doc.GetTitle()).ExportXML(path);
}
