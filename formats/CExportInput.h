#pragma once

#include "base/CSize.h"

#include <functional>

class CDC;
class CZerinDoc;

// What an export writes: one diagram of the document (CZerinDoc::DIAGRAM_...) and, for a
// picture, the diagram as it is drawn: the view's drawing in the program, the model's own
// on the command line.
struct CExportInput {
    CZerinDoc& doc;
    int diagram = 0;
    // The picture's page and what draws it (no border, grid or rulers).
    CSize extent;
    std::function<void(CDC&)> draw;
    // A TikZ picture as a LaTeX document that compiles on its own.
    bool standalone = false;
};

// The diagram as its model draws it, with no view: the net design, the case graph as it is
// laid out, the occurrence net as recorded.
CExportInput ModelInput(CZerinDoc& doc, int nDiagram, bool bStandalone = false);
