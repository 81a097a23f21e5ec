#pragma once

#include "base/CGraphText.h"

class CZerinDoc;

// The case graph or the occurrence net (CZerinDoc::DIAGRAM_...) as a graph for other tools,
// named as its view names it: what the GraphML and DOT formats write.
CGraphText GraphForOtherTools(CZerinDoc& doc, int nDiagram);
