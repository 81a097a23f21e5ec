#include "document/CDocumentFieldsChange.h"

#include "document/CZerinDoc.h"

CDocumentFieldsChange::Fields CDocumentFieldsChange::Capture(const CZerinDoc& doc) {
    const CDocumentRecord& r = doc.Record();
    Fields f;
    f.grid = r.grid;
    f.gridSaved = r.gridSaved;
    f.gridSize = r.gridSize;
    f.netModified = r.netModified;
    f.caseGraphLaidOut = r.caseGraphLaidOut;
    f.caseGraphValid = r.caseGraphValid;
    f.contactFree = r.contactFree;
    for (std::size_t i = 0; i < f.nextName.size(); ++i)
        f.nextName[i] = r.nextName[i];
    f.netSize = doc.NetDesign().m_sizeNet;
    f.caseGridSize = doc.CaseGraph().GridSize();
    f.caseMinGridSize = doc.CaseGraph().MinGridSize();
    f.caseExtent = doc.CaseGraph().Extent();
    f.caseLaidOut = doc.CaseGraph().IsLaidOut();
    f.occurrenceSize = doc.OccurrenceNet().m_sizeNet;
    return f;
}

void CDocumentFieldsChange::Apply(const Fields& to) {
    CDocumentRecord& r = m_parts.record;
    CCaseGraph& graph = m_parts.caseGraph;
    // Only what the edit changed: what is no edit (a simulation) may have changed the
    // rest since.
    auto changed = [this](auto Fields::*field) { return m_before.*field != m_after.*field; };
    auto set = [&](auto Fields::*field, auto& target) {
        if (changed(field))
            target = to.*field;
    };
    set(&Fields::grid, r.grid);
    set(&Fields::gridSaved, r.gridSaved);
    set(&Fields::gridSize, r.gridSize);
    for (std::size_t i = 0; i < to.nextName.size(); ++i)
        if (m_before.nextName[i] != m_after.nextName[i])
            r.nextName[i] = to.nextName[i];
    set(&Fields::netSize, m_parts.net.m_sizeNet);
    set(&Fields::occurrenceSize, m_parts.occurrenceNet.m_sizeNet);
    const bool bSameGraph = graph.GetGeneration() == m_nCaseGraphGeneration;
    if (bSameGraph) {
        set(&Fields::netModified, r.netModified);
        set(&Fields::caseGraphLaidOut, r.caseGraphLaidOut);
        set(&Fields::caseGraphValid, r.caseGraphValid);
        set(&Fields::contactFree, r.contactFree);
        int gridSize = graph.GridSize(), minGridSize = graph.MinGridSize();
        set(&Fields::caseGridSize, gridSize);
        set(&Fields::caseMinGridSize, minGridSize);
        graph.SetGridSizes(gridSize, minGridSize);
        if (changed(&Fields::caseExtent)) {
            graph.SetExtent(to.caseExtent);
            r.caseGraphResized = true;
        }
        if (changed(&Fields::caseLaidOut))
            graph.SetLaidOut(to.caseLaidOut);
    } else if (m_before.netModified != m_after.netModified ||
               m_before.caseGraphValid != m_after.caseGraphValid) {
        // The graph in the document was computed for another state of the net.
        m_parts.doc.SetNetModified();
    }
}
