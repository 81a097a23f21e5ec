#include "views/CDiagramView.h"

CDiagramView::CDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : QAbstractScrollArea(pParent), m_rDoc(doc), m_rHost(host) {}
