#pragma once

#include "casegraph/CCaseGraph.h"
#include "document/CZerinDoc.h"
#include "model/CNetDesign.h"
#include "occurrence/COccurrenceNet.h"

// The document's diagrams for a test to build and arrange its fixtures on directly, as
// the document's own operations would leave them, and to break them on purpose.
inline CNetDesign& NetOf(CZerinDoc& doc) {
    return const_cast<CNetDesign&>(doc.NetDesign());
}
inline CCaseGraph& GraphOf(CZerinDoc& doc) {
    return const_cast<CCaseGraph&>(doc.CaseGraph());
}
inline COccurrenceNet& OccurrenceOf(CZerinDoc& doc) {
    return const_cast<COccurrenceNet&>(doc.OccurrenceNet());
}
inline const CNetDesign& NetOf(const CZerinDoc& doc) {
    return doc.NetDesign();
}
inline const CCaseGraph& GraphOf(const CZerinDoc& doc) {
    return doc.CaseGraph();
}
