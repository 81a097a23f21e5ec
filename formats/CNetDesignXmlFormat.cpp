#include "formats/CNetDesignXmlFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"
#include "occurrence/CNetDesignExport.h"

CNetDesignXmlFormat::CNetDesignXmlFormat()
    : CExportFormat("netdesign", "XML", "xml", "as XML",
                    {{CZerinDoc::DIAGRAM_NET_DESIGN, NEED_DESIGN}}) {}

CFileResult CNetDesignXmlFormat::Write(const CExportInput& input, const std::string& path) const {
    return CNetDesignExport(input.doc.NetDesign()).ExportXML(path);
}
