#include "formats/COccurrenceNetXmlFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"

COccurrenceNetXmlFormat::COccurrenceNetXmlFormat()
    : CExportFormat("occurrencenet", "XML", "xml", "as XML",
                    {{CZerinDoc::DIAGRAM_OCCURRENCE_NET, NEED_CONTACT_FREE}}) {}

CFileResult COccurrenceNetXmlFormat::Write(const CExportInput& input,
                                           const std::string& path) const {
    input.doc.NameForOutput(CZerinDoc::DIAGRAM_OCCURRENCE_NET);
    return input.doc.OccurrenceNet().ExportXML(path);
}
