#include "views/CZerinNetDesignView.h"

CZerinNetDesignView::CZerinNetDesignView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CDiagramView(doc, host, pParent) {}
