#include "views/CZerinOccurrenceNetView.h"

#include "document/CZerinDoc.h"
#include "model/CPNEdge.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/COccurrenceNet.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "platform/CMeasureDC.h"

#include <algorithm>

CZerinOccurrenceNetView::CZerinOccurrenceNetView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CRecordDiagramView(doc, host, pParent) {
    setAccessibleName(QStringLiteral("Occurrence Net"));
}

const COccurrenceNet& CZerinOccurrenceNetView::Net() const {
    return GetDocument().OccurrenceNet();
}

void CZerinOccurrenceNetView::DrawModel(CDC& dc) const {
    Net().Draw(dc);
}

void CZerinOccurrenceNetView::DrawNameLegend(CDC& dc, int lineHeight) const {
    Net().DrawNameLegend(dc, lineHeight, GetDocument().NetDesign().m_listElements);
}

void CZerinOccurrenceNetView::ResizeDiagram(int cx, int cy) {
    GetDocument().ResizeDiagram(CZerinDoc::DIAGRAM_OCCURRENCE_NET, cx, cy);
    m_sizeScroll = Net().m_sizeNet;
}

void CZerinOccurrenceNetView::OnInitialUpdate() {
    m_sizeScroll = CSize(100, 100);
    CRecordDiagramView::OnInitialUpdate();
}

void CZerinOccurrenceNetView::OnUpdate() {
    // Only the simulation flag and a repaint: the page keeps its size.
    const CSize size = m_sizeScroll;
    CRecordDiagramView::OnUpdate();
    m_sizeScroll = size;
}

void CZerinOccurrenceNetView::Refresh() {
    CZerinDoc& doc = GetDocument();
    const COccurrenceNet& net = Net();
    net.WriteNames(doc.NetDesign().m_listElements);
    m_bSimulation = doc.Simulation().IsActive();
    if (m_bSimulation) {
        CMeasureDC dc;
        m_sizeScroll = doc.LayOutOccurrenceNet(dc);
    } else {
        m_sizeScroll = net.m_sizeNet;
    }
    UpdateScrollSize();
    InvalidateAll();
    HidePropertiesPage();
}

// --- Commands. ---

bool CZerinOccurrenceNetView::OnCommand(int nId) {
    if (nId == Cmd::ID_OCCURRENCE_NET_VIEW_PROPERTIES) {
        OnViewProperties();
        return true;
    }
    return CRecordDiagramView::OnCommand(nId);
}

bool CZerinOccurrenceNetView::OnUpdateCommand(int nId, CCommandState& state) {
    if (nId == Cmd::ID_OCCURRENCE_NET_VIEW_PROPERTIES) {
        state.enabled = !m_bSimulation;
        state.checked = false;
        return true;
    }
    return CRecordDiagramView::OnUpdateCommand(nId, state);
}

// --- The record. ---

CPNElement* CZerinOccurrenceNetView::HitElement(CPoint pt) const {
    return Net().ElementFromPoint(pt);
}

bool CZerinOccurrenceNetView::ContainsElement(const CPNElement* pElement) const {
    if (!pElement)
        return false;
    const COccurrenceNet& net = Net();
    auto has = [pElement](const auto& list) {
        return std::find(list.begin(), list.end(), pElement) != list.end();
    };
    if (has(net.m_listElements) || has(net.m_listDecorations))
        return true;
    // The name labels of places and occurrences.
    return std::any_of(net.m_listElements.begin(), net.m_listElements.end(),
                       [pElement](const CPNElement* e) {
                           if (auto* p = dynamic_cast<const CPNCondition*>(e))
                               return p->m_pLabel == pElement;
                           if (auto* o = dynamic_cast<const CPNEvent*>(e))
                               return o->m_pLabel == pElement;
                           return false;
                       });
}

bool CZerinOccurrenceNetView::IsFreeElement(const CPNElement* pElement) const {
    const auto& free = Net().m_listDecorations;
    return std::find(free.begin(), free.end(), pElement) != free.end();
}

bool CZerinOccurrenceNetView::TipFor(CPNElement* pHit, CPoint /*pt*/, std::string& text,
                                     CRect& rect) const {
    if (auto* pPlace = dynamic_cast<CPNPlace*>(pHit))
        text = pPlace->m_strName;
    else if (auto* pOccurrence = dynamic_cast<CPNOccurrence*>(pHit))
        text = pOccurrence->m_strName;
    else
        return false;
    rect = pHit->GetBoundRect();
    return true;
}

int CZerinOccurrenceNetView::ContextMenuIndex(CPNElement* pHit) const {
    int nIndex = 0;
    if (pHit && GetDocument().Selection().IsSelected(pHit)) {
        if (dynamic_cast<CPNEdge*>(pHit))
            nIndex = 3;
        if (dynamic_cast<CPNPolygon*>(pHit))
            nIndex = 4;
    }
    return nIndex;
}

CRect CZerinOccurrenceNetView::GetDrawingBounds() const {
    CRect bounds;
    for (const CPNElement* e : Net().m_listElements)
        bounds |= e->GetBoundRect();
    for (const CPNElement* e : Net().m_listDecorations)
        bounds |= e->GetBoundRect();
    return bounds;
}
