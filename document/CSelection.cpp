#include "document/CSelection.h"

#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"

#include <algorithm>

void CSelection::Append(CPNElement* element) {
    element->m_bSelected = true;
    m_list.push_back(element);
}

CRect CSelection::Select(CPNElement* element, bool add) {
    CRect rect;
    if (!add)
        rect = Clear();
    if (!element)
        return rect;
    element->m_bSelected = true;
    // Listed once, so that deleting or moving the selection touches it once.
    if (!IsSelected(element))
        m_list.push_back(element);
    return rect | element->GetBoundRect();
}

CRect CSelection::Clear() {
    CRect rect;
    for (CPNElement* e : m_list) {
        rect |= e->GetBoundRect();
        e->m_bSelected = false;
    }
    m_list.clear();
    return rect;
}

void CSelection::Deselect(CPNElement* element) {
    if (!element)
        return;
    element->m_bSelected = false;
    m_list.remove(element);
}

bool CSelection::IsSelected(const CPNElement* element) const {
    if (!element)
        return !m_list.empty();
    return std::find(m_list.begin(), m_list.end(), element) != m_list.end();
}

bool CSelection::HitTestPoints(CPoint pt) const {
    for (CPNElement* e : m_list) {
        if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && edge->HitTestPoint(pt))
            return true;
        if (auto* polygon = dynamic_cast<CPNPolygon*>(e); polygon && polygon->HitTestPoint(pt))
            return true;
    }
    return false;
}

CPNEdge* CSelection::FindGrabbedEdge(CPoint pt) const {
    for (CPNElement* e : m_list)
        if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && edge->HitTestPoint(pt))
            return edge;
    return nullptr;
}

bool CSelection::CanDelete() const {
    for (const CPNElement* e : m_list) {
        if (dynamic_cast<const CPNEdge*>(e) || dynamic_cast<const CPNEvent*>(e) ||
            dynamic_cast<const CPNCondition*>(e) || dynamic_cast<const CPNPolygon*>(e))
            return true;
        if (auto* label = dynamic_cast<const CPNLabel*>(e); label && !label->m_pOwner)
            return true;
    }
    return false;
}
