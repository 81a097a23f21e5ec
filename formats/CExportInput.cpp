#include "formats/CExportInput.h"

#include "document/CZerinDoc.h"

CExportInput ModelInput(CZerinDoc& doc, int nDiagram, bool bStandalone) {
    CExportInput input{
        .doc = doc, .diagram = nDiagram, .extent = {}, .draw = {}, .standalone = bStandalone};
    if (nDiagram == CZerinDoc::DIAGRAM_CASE_GRAPH) {
        const CCaseGraph& graph = doc.CaseGraph();
        input.extent = graph.Extent();
        input.draw = [&graph](CDC& dc) { graph.Draw(dc); };
    } else if (nDiagram == CZerinDoc::DIAGRAM_OCCURRENCE_NET) {
        const COccurrenceNet& record = doc.OccurrenceNet();
        input.extent = record.m_sizeNet;
        input.draw = [&record](CDC& dc) { record.Draw(dc); };
    } else {
        input.extent = doc.NetDesign().m_sizeNet;
        input.draw = [&doc](CDC& dc) { doc.DrawNetDesign(dc); };
    }
    return input;
}
