#include "document/CDocumentFieldsChange.h"

#include "document/CZerinDoc.h"

CDocumentFieldsChange::Fields CDocumentFieldsChange::Capture(const CZerinDoc& doc) {
    Fields f;
    f.grid = doc.m_bGrid;
    f.gridSaved = doc.m_bGridSaved;
    f.gridSize = doc.m_nGridSize;
    f.netModified = doc.m_bNetModified;
    f.caseGraphLaidOut = doc.m_bCaseGraphLaidOut;
    f.caseGraphValid = doc.m_bCaseGraphValid;
    f.contactFree = doc.m_bContactFree;
    for (std::size_t i = 0; i < f.nextName.size(); ++i)
        f.nextName[i] = doc.m_nNextName[i];
    f.netSize = doc.m_netDesign.m_sizeNet;
    f.caseGridSize = doc.m_caseGraph.m_nGridSize;
    f.caseMinGridSize = doc.m_caseGraph.m_nMinGridSize;
    f.caseExtent = doc.m_caseGraph.m_sizeExtent;
    f.caseLaidOut = doc.m_caseGraph.m_bLaidOut;
    f.occurrenceSize = doc.m_occurrenceNet.m_sizeNet;
    return f;
}

void CDocumentFieldsChange::Apply(const Fields& to) {
    CZerinDoc& d = m_doc;
    // Only what the edit changed: what is no edit (a simulation) may have changed the
    // rest since.
    auto set = [this, &to](auto Fields::*field, auto& target) {
        if (m_before.*field != m_after.*field)
            target = to.*field;
    };
    set(&Fields::grid, d.m_bGrid);
    set(&Fields::gridSaved, d.m_bGridSaved);
    set(&Fields::gridSize, d.m_nGridSize);
    for (std::size_t i = 0; i < to.nextName.size(); ++i)
        if (m_before.nextName[i] != m_after.nextName[i])
            d.m_nNextName[i] = to.nextName[i];
    set(&Fields::netSize, d.m_netDesign.m_sizeNet);
    set(&Fields::occurrenceSize, d.m_occurrenceNet.m_sizeNet);
    const bool bSameGraph = d.m_caseGraph.GetGeneration() == m_nCaseGraphGeneration;
    if (bSameGraph) {
        set(&Fields::netModified, d.m_bNetModified);
        set(&Fields::caseGraphLaidOut, d.m_bCaseGraphLaidOut);
        set(&Fields::caseGraphValid, d.m_bCaseGraphValid);
        set(&Fields::contactFree, d.m_bContactFree);
        set(&Fields::caseGridSize, d.m_caseGraph.m_nGridSize);
        set(&Fields::caseMinGridSize, d.m_caseGraph.m_nMinGridSize);
        set(&Fields::caseExtent, d.m_caseGraph.m_sizeExtent);
        set(&Fields::caseLaidOut, d.m_caseGraph.m_bLaidOut);
        if (m_before.caseExtent != m_after.caseExtent)
            d.m_bCaseGraphResized = true;
    } else if (m_before.netModified != m_after.netModified ||
               m_before.caseGraphValid != m_after.caseGraphValid) {
        // The graph in the document was computed for another state of the net.
        d.SetNetModified();
    }
}
