#include "document/CNetFragment.h"

#include "base/CArchive.h"
#include "document/CZerinDoc.h"
#include "document/ZerinClassRegistry.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <algorithm>
#include <exception>
#include <list>
#include <set>
#include <string>

namespace {

constexpr auto NameLabel = &CNetDesign::NameLabelOf;
constexpr auto IsNode = &CNetDesign::IsNode;

std::vector<std::uint8_t> Store(CNetDesign& net) {
    CArchive ar;
    net.Serialize(ar);
    return ar.GetBuffer();
}

// Every object of the net refers only to objects in it, as a fragment must.
bool HoldsTogether(const CNetDesign& net) {
    const std::set<const CPNElement*> in(net.m_listElements.begin(), net.m_listElements.end());
    std::set<std::pair<const CPNElement*, const CPNElement*>> joined;
    for (const CPNElement* e : net.m_listElements) {
        if (auto* edge = dynamic_cast<const CPNEdge*>(e)) {
            const bool fromCondition = dynamic_cast<const CPNCondition*>(edge->m_pFrom);
            const bool toCondition = dynamic_cast<const CPNCondition*>(edge->m_pTo);
            // A condition and an event, both in the fragment.
            if (!in.count(edge->m_pFrom) || !in.count(edge->m_pTo) || !IsNode(edge->m_pFrom) ||
                !IsNode(edge->m_pTo) || fromCondition == toCondition ||
                !joined.insert({edge->m_pFrom, edge->m_pTo}).second)
                return false;
        } else if (auto* label = dynamic_cast<const CPNLabel*>(e)) {
            if (label->m_pOwner && !in.count(label->m_pOwner))
                return false;
        } else if (IsNode(e)) {
            const CPNLabel* name = NameLabel(e);
            if (name && !in.count(name))
                return false;
        }
    }
    return true;
}

} // namespace

bool CNetFragment::Read(std::vector<std::uint8_t> bytes, CNetDesign& net) {
    if (bytes.empty())
        return false;
    const CClassRegistry registry = MakeZerinClassRegistry();
    CArchive ar(std::move(bytes), registry);
    try {
        net.Serialize(ar);
        if (HoldsTogether(net))
            return true;
    } catch (const std::exception&) {
    }
    // Whatever the archive made goes, each object once.
    net.m_listElements.clear();
    for (CObject* object : ar.GetLoadedObjects())
        delete object;
    return false;
}

std::vector<std::uint8_t> CNetFragment::Copy(const CZerinDoc& doc) {
    const std::set<const CPNElement*> selected(doc.Selection().begin(), doc.Selection().end());
    std::set<const CPNElement*> keep;
    for (CPNElement* e : doc.NetDesign().m_listElements) {
        if (!selected.count(e) || dynamic_cast<CPNEdge*>(e))
            continue; // edges go with their two ends
        if (auto* label = dynamic_cast<CPNLabel*>(e); label && label->m_pOwner)
            continue; // a name goes with its condition or event
        keep.insert(e);
        if (CPNLabel* name = NameLabel(e))
            keep.insert(name);
    }
    if (keep.empty())
        return {};
    // A net of the kept elements, in the net's order, borrowed for storing: every
    // reference among them stays among them.
    CNetDesign fragment;
    for (CPNElement* e : doc.NetDesign().m_listElements) {
        auto* edge = dynamic_cast<const CPNEdge*>(e);
        if (keep.count(e) || (edge && keep.count(edge->m_pFrom) && keep.count(edge->m_pTo)))
            fragment.m_listElements.push_back(e);
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = Store(fragment);
    } catch (...) {
        fragment.m_listElements.clear();
        throw;
    }
    fragment.m_listElements.clear();
    return bytes;
}

bool CNetFragment::Paste(CZerinDoc& doc, std::vector<std::uint8_t> bytes, CSize offset, CDC& dc) {
    CNetDesign fragment;
    if (!Read(std::move(bytes), fragment) || fragment.m_listElements.empty())
        return false;
    std::set<std::string> names;
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (CPNLabel* name = NameLabel(e))
            names.insert(name->m_strText);
    for (CPNElement* e : fragment.m_listElements) {
        CPNLabel* name = NameLabel(e);
        if (!name || names.insert(name->m_strText).second)
            continue;
        const int kind =
            dynamic_cast<CPNEvent*>(e) ? CDocumentRecord::NAME_EVENT : CDocumentRecord::NAME_CONDITION;
        std::string fresh;
        do
            fresh = doc.GetNewName(kind);
        while (!names.insert(fresh).second);
        name->SetText(fresh, dc);
    }
    // Nodes move their names; edges and polygons move their points.
    for (CPNElement* e : fragment.m_listElements)
        if (auto* label = dynamic_cast<CPNLabel*>(e); !label || !label->m_pOwner)
            e->Offset(offset.cx, offset.cy);
    std::list<CPNElement*> pasted;
    pasted.swap(fragment.m_listElements);
    doc.PasteElements(pasted);
    return true;
}
