#include "model/CNetDesign.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "model/CEditRecorder.h"
#include "model/CNoEditRecorder.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNElement.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include "base/CArchive.h"
#include <algorithm>
#include <cassert>

bool CNetDesign::IsNode(const CPNElement* e) {
    return dynamic_cast<const CPNCondition*>(e) || dynamic_cast<const CPNEvent*>(e);
}

CPNLabel* CNetDesign::NameLabelOf(const CPNElement* e) {
    if (auto* c = dynamic_cast<const CPNCondition*>(e))
        return c->m_pLabel;
    if (auto* ev = dynamic_cast<const CPNEvent*>(e))
        return ev->m_pLabel;
    return nullptr;
}

CNetDesign::~CNetDesign() {
    for (CPNElement* e : m_listElements)
        delete e;
}

void CNetDesign::DeleteContents() {
    ++m_nGeneration;
    m_sizeNet = kDefaultSize;
    for (CPNElement* e : m_listElements)
        delete e;
    m_listElements.clear();
}

void CNetDesign::RecalcSize(int minCx, int minCy) {
    CRect all;
    for (const CPNElement* e : m_listElements)
        all |= e->GetBoundRect();
    m_sizeNet.cx = std::max(minCx, std::max(all.right, 100));
    m_sizeNet.cy = std::max(minCy, std::max(all.bottom, 100));
}

void CNetDesign::Draw(CDC& dc) const {
    for (const CPNElement* e : m_listElements)
        e->Draw(dc);
}

bool CNetDesign::RemoveFromList(CPNElement* element) {
    auto it = std::find(m_listElements.begin(), m_listElements.end(), element);
    if (it == m_listElements.end())
        return false;
    m_listElements.erase(it);
    return true;
}

bool CNetDesign::Contains(const CPNElement* element) const {
    return std::find(m_listElements.begin(), m_listElements.end(), element) != m_listElements.end();
}

CRect CNetDesign::ChangeZOrder(const std::list<CPNElement*>& elements, bool toBack,
                               CEditRecorder& recorder) {
    recorder.ModifyList(m_listElements);
    CRect result;
    for (CPNElement* e : elements) {
        if (RemoveFromList(e)) {
            if (toBack)
                m_listElements.push_front(e);
            else
                m_listElements.push_back(e);
        }
        result |= e->GetBoundRect();
    }
    return result;
}

CRect CNetDesign::MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) {
    recorder.Modify(element);
    recorder.Modify(NameLabelOf(element));
    CRect rect = element->MoveTo(pt);
    if (IsNode(element))
        rect |= UpdateAttachedEdges(element, recorder);
    return rect;
}

CRect CNetDesign::MoveElements(const std::list<CPNElement*>& elements, int dx, int dy,
                               CEditRecorder& recorder) {
    CRect rect;
    std::vector<CPNElement*> nodes;
    for (CPNElement* e : elements) {
        if (!Contains(e))
            continue;
        if (auto* label = dynamic_cast<CPNLabel*>(e);
            label && label->m_pOwner &&
            std::find(elements.begin(), elements.end(), label->m_pOwner) != elements.end())
            continue;
        recorder.Modify(e);
        recorder.Modify(NameLabelOf(e));
        rect |= e->GetBoundRect();
        rect |= e->Offset(dx, dy);
        rect |= e->GetBoundRect();
        if (IsNode(e))
            nodes.push_back(e);
    }
    for (CPNElement* node : nodes)
        rect |= UpdateAttachedEdges(node, recorder);
    // An edge moved itself keeps its ends on its nodes.
    for (CPNElement* e : elements)
        if (auto* edge = dynamic_cast<CPNEdge*>(e);
            edge && Contains(edge) && edge->UpdateEnds(nullptr))
            rect |= edge->GetBoundRect();
    return rect;
}

bool CNetDesign::AddElement(CPNElement* element) {
    return AddElement(element, CNoEditRecorder::Instance());
}

bool CNetDesign::AddElement(CPNElement* element, CEditRecorder& recorder) {
    assert(element);
    if (!element)
        return false;
    const bool present =
        std::find(m_listElements.begin(), m_listElements.end(), element) != m_listElements.end();
    if (present)
        return false;
    if (auto* edge = dynamic_cast<CPNEdge*>(element)) {
        for (const CPNElement* e : m_listElements) {
            if (auto* other = dynamic_cast<const CPNEdge*>(e); other && other->IsSameAs(edge)) {
                delete edge;
                return false;
            }
        }
    }
    recorder.ModifyList(m_listElements);
    m_listElements.push_back(element);
    return true;
}

void CNetDesign::ForgetLabel(const CPNElement* label, CEditRecorder& recorder) {
    for (CPNElement* e : m_listElements) {
        if (auto* c = dynamic_cast<CPNCondition*>(e); c && c->m_pLabel == label) {
            recorder.Modify(c);
            c->m_pLabel = nullptr;
        } else if (auto* ev = dynamic_cast<CPNEvent*>(e); ev && ev->m_pLabel == label) {
            recorder.Modify(ev);
            ev->m_pLabel = nullptr;
        }
    }
}

CRect CNetDesign::DeleteElements(std::list<CPNElement*>& elements) {
    return DeleteElements(elements, CNoEditRecorder::Instance());
}

CRect CNetDesign::DeleteElements(std::list<CPNElement*>& elements, CEditRecorder& recorder) {
    recorder.ModifyList(m_listElements);
    CRect result;
    auto it = elements.begin();
    while (it != elements.end()) {
        CPNElement* x = *it;
        if (auto* label = dynamic_cast<CPNLabel*>(x); label && label->m_pOwner) {
            // A name label goes only with its condition or event.
            result |= x->GetBoundRect();
            ++it;
            continue;
        }
        // An element listed twice is deleted once. Entries before it are all name
        // labels kept for their owners, so the duplicates can only follow.
        it = elements.erase(it);
        while (it != elements.end() && *it == x)
            it = elements.erase(it);
        for (auto d = it; d != elements.end();) {
            if (*d == x)
                d = elements.erase(d);
            else
                ++d;
        }
        RemoveFromList(x);
        const bool node = IsNode(x);
        if (node) {
            if (CPNLabel* label = NameLabelOf(x)) {
                elements.remove(label);
                if (RemoveFromList(label)) {
                    result |= label->GetBoundRect();
                    recorder.Discard(label);
                }
            }
            for (auto e = m_listElements.begin(); e != m_listElements.end();) {
                auto* edge = dynamic_cast<CPNEdge*>(*e);
                if (edge && edge->IsAttachedTo(x)) {
                    elements.remove(edge);
                    e = m_listElements.erase(e);
                    result |= edge->GetBoundRect();
                    recorder.Discard(edge);
                } else {
                    ++e;
                }
            }
            // Labels that name x without being its m_pLabel become free labels.
            for (CPNElement* e : m_listElements)
                if (auto* label = dynamic_cast<CPNLabel*>(e); label && label->m_pOwner == x) {
                    recorder.Modify(label);
                    label->m_pOwner = nullptr;
                }
        } else if (dynamic_cast<CPNLabel*>(x)) {
            ForgetLabel(x, recorder);
        }
        result |= x->GetBoundRect();
        recorder.Discard(x);
        // The walk may have lost entries after the element; start again at the head.
        if (node)
            it = elements.begin();
    }
    elements.clear();
    return result;
}

CRect CNetDesign::UpdateAttachedEdges(CPNElement* element, CEditRecorder& recorder) {
    CRect result;
    for (CPNElement* e : m_listElements) {
        if (auto* edge = dynamic_cast<CPNEdge*>(e)) {
            if (element && !edge->IsAttachedTo(element))
                continue;
            recorder.Modify(edge);
            const CRect before = edge->GetBoundRect();
            if (edge->UpdateEnds(element))
                result |= before | edge->GetBoundRect();
        }
    }
    return result;
}

CPNElement* CNetDesign::ElementFromPoint(CPoint pt, bool events, bool conditions) const {
    for (auto it = m_listElements.rbegin(); it != m_listElements.rend(); ++it) {
        CPNElement* e = *it;
        if (!e->HitTest(pt))
            continue;
        if ((events && dynamic_cast<CPNEvent*>(e)) ||
            (conditions && dynamic_cast<CPNCondition*>(e)) || (!events && !conditions))
            return e;
    }
    return nullptr;
}

CRect CNetDesign::SelectInRect(const CRect& rect, bool enabledOnly,
                               std::list<CPNElement*>& selection) {
    CRect result;
    for (CPNElement* e : m_listElements) {
        const CRect b = e->GetBoundRect();
        if (!(b.left > rect.left && b.top > rect.top && b.right < rect.right &&
              b.bottom < rect.bottom))
            continue;
        if (enabledOnly) {
            auto* event = dynamic_cast<CPNEvent*>(e);
            if (!event || !event->m_bEnabled)
                continue;
        }
        e->m_bSelected = true;
        selection.push_back(e);
        result |= b;
    }
    return result;
}

CSetConditions CNetDesign::BuildStructure() {
    CSetConditions initialCase;
    int edges = 0, events = 0, conditions = 0;
    for (CPNElement* e : m_listElements) {
        if (auto* event = dynamic_cast<CPNEvent*>(e)) {
            ++events;
            event->m_setPreConditions.RemoveAll();
            event->m_setPostConditions.RemoveAll();
        } else if (auto* condition = dynamic_cast<CPNCondition*>(e)) {
            ++conditions;
            condition->m_setPreEvents.RemoveAll();
            condition->m_setPostEvents.RemoveAll();
            if (condition->m_bToken)
                initialCase.Add(condition);
        }
    }
    for (CPNElement* e : m_listElements) {
        if (auto* edge = dynamic_cast<CPNEdge*>(e)) {
            ++edges;
            edge->Connect();
            edge->ComputeTokenPath();
        }
    }
    m_nEdges = edges;
    m_nEvents = events;
    m_nConditions = conditions;
    WriteOutput(PANE_STANDARD, FormatString("Net elements: %d conditions, %d events, %d edges",
                                            conditions, events, edges));
    return initialCase;
}

void CNetDesign::ComputeTokenPaths() {
    for (CPNElement* e : m_listElements)
        if (auto* edge = dynamic_cast<CPNEdge*>(e))
            edge->ComputeTokenPath();
}

void CNetDesign::SetTokens(const CSetConditions& currentCase) {
    for (CPNElement* e : m_listElements)
        if (auto* condition = dynamic_cast<CPNCondition*>(e))
            condition->m_bToken = currentCase.Contains(condition);
}

void CNetDesign::UpdateEnabled(const CSetConditions& currentCase) {
    for (CPNElement* e : m_listElements)
        if (auto* event = dynamic_cast<CPNEvent*>(e))
            event->UpdateEnabled(currentCase, true);
}

void CNetDesign::ClearSimulationFlags() {
    for (CPNElement* e : m_listElements) {
        if (auto* event = dynamic_cast<CPNEvent*>(e)) {
            event->m_bEnabled = false;
            event->m_bHighlight = false;
        } else if (auto* condition = dynamic_cast<CPNCondition*>(e)) {
            condition->m_bMarked = false;
        }
    }
}

void CNetDesign::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteSize(m_sizeNet);
        ar.WriteObjectList(m_listElements);
    } else {
        DeleteContents();
        m_sizeNet = ar.ReadSize();
        ar.ReadObjectList<CPNElement>(m_listElements);
    }
}

std::vector<CPNEvent*> CNetDesign::GetEvents() const {
    std::vector<CPNEvent*> events;
    for (CPNElement* element : m_listElements)
        if (auto* event = dynamic_cast<CPNEvent*>(element))
            events.push_back(event);
    return events;
}

CPNCondition* CNetDesign::FindCondition(const std::string& name) const {
    for (CPNElement* e : m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e);
            c && c->m_pLabel && c->m_pLabel->m_strText == name)
            return c;
    return nullptr;
}
