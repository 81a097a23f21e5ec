#include "formats/GraphForOtherTools.h"

#include "document/CZerinDoc.h"

CGraphText GraphForOtherTools(CZerinDoc& doc, int nDiagram) {
    doc.NameForOutput(nDiagram);
    return nDiagram == CZerinDoc::DIAGRAM_CASE_GRAPH ? doc.CaseGraph().GraphForOtherTools()
                                                     : doc.OccurrenceNet().GraphForOtherTools();
}
