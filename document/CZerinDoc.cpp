#include "document/CZerinDoc.h"

#include "base/CDC.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "document/CFrameServices.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "simulation/CNetComplement.h"

#include <algorithm>
#include <cctype>

CZerinDoc::CZerinDoc(CFrameServices& frame) : m_caseGraph(m_random), m_rFrame(frame) {}

CZerinDoc::~CZerinDoc() {
    // The selection and the animation refer to elements the containers delete.
    m_selection.Items().clear();
    m_simulation.Clear();
}

// --- The file. ---

void CZerinDoc::SetTitle(const std::string& title) {
    if (title == m_strTitle)
        return;
    m_strTitle = title;
    m_rFrame.DocumentStateChanged();
}

void CZerinDoc::SetPathName(const std::string& path) {
    m_strPathName = path;
    std::string name = path.substr(
        path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    if (name.size() > 4) {
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (ext == ".zrn")
            name.resize(name.size() - 4);
    }
    SetTitle(name.empty() ? "Untitled" : name);
}

void CZerinDoc::SetModifiedFlag(bool modified) {
    if (modified)
        ++m_nEdits;
    if (modified == m_bModified)
        return;
    m_bModified = modified;
    m_rFrame.DocumentStateChanged();
}

void CZerinDoc::NewDocument() {
    DeleteContents();
    m_record = CDocumentRecord();
    m_random.SeedWithTime();
    m_strPathName.clear();
    SetTitle("Untitled");
    m_propertyList.Reset();
    SetModifiedFlag(false);
    m_history.Reset();
}

void CZerinDoc::DeleteContents() {
    m_record.nextName = {1, 1, 1, 1};
    m_selection.Items().clear();
    // The cases and the breakpoints refer to the conditions deleted below.
    m_simulation.Clear();
    m_netDesign.DeleteContents();
    m_caseGraph.DeleteContents(true);
    m_occurrenceNet.Reset();
    if (m_bRestoring)
        return;
    m_rFrame.SwitchToNetDesignView();
    m_rFrame.ClearOutputBar();
}

void CZerinDoc::Restore(const CDocumentRecord& record, CArchive* ar) {
    // The ruler is the window's, not the file's.
    const bool ruler = m_record.ruler;
    m_record = record;
    m_record.ruler = ruler;
    if (!ar)
        return;
    m_simulation.Loaded();
    m_netDesign.Serialize(*ar);
    m_caseGraph.Serialize(*ar);
    m_occurrenceNet.Serialize(*ar);
}

void CZerinDoc::ForgetLoadedElements() {
    m_netDesign.m_listElements.clear();
    m_caseGraph.ForgetLoadedElements();
    m_occurrenceNet.m_listElements.clear();
    m_occurrenceNet.m_listDecorations.clear();
    DeleteContents();
    Restore(CDocumentRecord());
}

unsigned long long CZerinDoc::Revision() const {
    return m_nEdits + CPNElement::GeometryEpoch();
}

void CZerinDoc::BeginFields() {
    m_fieldsBefore = CDocumentFieldsChange::Capture(*this);
    m_nFieldsGraphGeneration = m_caseGraph.GetGeneration();
}

std::unique_ptr<CEditChange> CZerinDoc::EndFields() {
    const CDocumentFieldsChange::Fields after = CDocumentFieldsChange::Capture(*this);
    if (after == m_fieldsBefore)
        return nullptr;
    return std::make_unique<CDocumentFieldsChange>(
        CDocumentFieldsChange::Parts{*this, m_record, m_netDesign, m_caseGraph, m_occurrenceNet},
        m_fieldsBefore, after, m_nFieldsGraphGeneration);
}

void CZerinDoc::RollbackFields() {
    if (std::unique_ptr<CEditChange> change = EndFields())
        change->Undo();
}

void CZerinDoc::EditApplied() {
    ++m_nEdits;
    m_rFrame.UpdateAllViews();
}

void CZerinDoc::EditCancelled() {
    m_rFrame.UpdateAllViews();
}

// --- Drawing. ---

void CZerinDoc::DrawNetDesign(CDC& dc) const {
    m_netDesign.Draw(dc);
    m_simulation.DrawTokens(dc);
}

// --- The diagrams. ---

CDiagram& CZerinDoc::MutableDiagram(int nDiagram) {
    if (nDiagram == DIAGRAM_CASE_GRAPH)
        return m_caseGraph;
    if (nDiagram == DIAGRAM_OCCURRENCE_NET)
        return m_occurrenceNet;
    return m_netDesign;
}

const CDiagram& CZerinDoc::Diagram(int nDiagram) const {
    return const_cast<CZerinDoc*>(this)->MutableDiagram(nDiagram);
}

std::uint64_t CZerinDoc::DiagramGeneration(int nDiagram) const {
    return Diagram(nDiagram).GetGeneration();
}

CRect CZerinDoc::SelectInRect(int nDiagram, const CRect& rect) {
    CRect result = m_selection.Clear();
    return result | MutableDiagram(nDiagram).SelectInRect(rect, m_simulation.IsActive(),
                                                          m_selection.Items());
}

CRect CZerinDoc::PlaceSelection(int nDiagram, bool front) {
    ++m_nEdits;
    const CRect rect = MutableDiagram(nDiagram).ChangeZOrder(m_selection.Items(), !front,
                                                             m_history.Recorder(nDiagram));
    SetModifiedFlag();
    return rect;
}

CRect CZerinDoc::MoveSelection(int nDiagram, int dx, int dy) {
    ++m_nEdits;
    if (dx == 0 && dy == 0)
        return {};
    return MutableDiagram(nDiagram).MoveElements(m_selection.Items(), dx, dy,
                                                 m_history.Recorder(nDiagram));
}

CRect CZerinDoc::MoveElement(int nDiagram, CPNElement* element, CPoint pt) {
    ++m_nEdits;
    if (!element)
        return {};
    return MutableDiagram(nDiagram).MoveElement(element, pt, m_history.Recorder(nDiagram));
}

CRect CZerinDoc::MoveCases(const std::vector<std::pair<std::uint32_t, CPoint>>& moves) {
    ++m_nEdits;
    return m_caseGraph.MoveCasesTo(moves, m_history.Recorder(DIAGRAM_CASE_GRAPH));
}

void CZerinDoc::ModifyElement(int nDiagram, CPNElement* element) {
    ++m_nEdits;
    m_history.Recorder(nDiagram).Modify(element);
}

void CZerinDoc::ModifyElement(CPNElement* element) {
    for (int nDiagram : {DIAGRAM_NET_DESIGN, DIAGRAM_OCCURRENCE_NET, DIAGRAM_CASE_GRAPH})
        if (Diagram(nDiagram).Contains(element)) {
            ModifyElement(nDiagram, element);
            return;
        }
    // A name label of a case graph step or of the record's elements belongs to them.
    ModifyElement(DIAGRAM_CASE_GRAPH, element);
}

void CZerinDoc::ChangeElement(CPNElement* element, const std::function<void()>& change) {
    ModifyElement(element);
    change();
    SetModifiedFlag();
}

CRect CZerinDoc::FlipToken(CPNCondition* condition) {
    ModifyElement(DIAGRAM_NET_DESIGN, condition);
    condition->m_bToken = !condition->m_bToken;
    SetModifiedFlag();
    SetNetModified();
    return condition->GetBoundRect();
}

namespace {

// Changes an element in place and gives the rectangle it covered before and after.
template <typename Change> CRect Reshape(CPNElement* element, Change change) {
    const CRect before = element->GetBoundRect();
    change();
    return before | element->GetBoundRect();
}

} // namespace

CRect CZerinDoc::DeleteRoutePoint(int nDiagram, CPNEdge* edge) {
    ModifyElement(nDiagram, edge);
    SetModifiedFlag();
    return Reshape(edge, [edge] { edge->DeleteSelectedPoint(); });
}

CRect CZerinDoc::StraightenRoute(int nDiagram, CPNEdge* edge) {
    ModifyElement(nDiagram, edge);
    SetModifiedFlag();
    return Reshape(edge, [edge] { edge->Straighten(); });
}

CRect CZerinDoc::DeleteOutlinePoint(int nDiagram, CPNPolygon* polygon) {
    ModifyElement(nDiagram, polygon);
    SetModifiedFlag();
    return Reshape(polygon, [polygon] { polygon->DeleteSelectedPoint(); });
}

void CZerinDoc::ReplaceNet(CNetDesign& net, int nextCondition, int nextEvent) {
    m_netDesign.m_listElements.swap(net.m_listElements);
    m_netDesign.m_sizeNet = net.m_sizeNet;
    m_record.nextName[CDocumentRecord::NAME_CONDITION] = nextCondition;
    m_record.nextName[CDocumentRecord::NAME_EVENT] = nextEvent;
    SetNetModified();
    SetModifiedFlag();
    m_history.Reset(false);
}

CRect CZerinDoc::DeleteSelection(int nDiagram) {
    ++m_nEdits;
    CRect rect;
    if (nDiagram == DIAGRAM_NET_DESIGN) {
        // The selection may hold elements of another diagram (a case graph node, an
        // occurrence net place): the net design deletes only its own.
        std::list<CPNElement*> own;
        for (CPNElement* e : m_selection)
            if (m_netDesign.Contains(e))
                own.push_back(e);
        rect = m_selection.Clear();
        // Edges about to be deleted must not stay in the animation list.
        m_simulation.ForgetAnimation();
        rect |= m_netDesign.DeleteElements(own, m_history.Recorder(nDiagram));
    } else {
        rect = MutableDiagram(nDiagram).DeleteElements(m_selection.Items(),
                                                      m_history.Recorder(nDiagram));
        rect |= m_selection.Clear();
    }
    SetModifiedFlag();
    return rect;
}

bool CZerinDoc::AddElement(CPNElement* element, int nDiagram) {
    ++m_nEdits;
    if (!element)
        return false;
    const bool added = MutableDiagram(nDiagram).AddElement(element, m_history.Recorder(nDiagram));
    if (added)
        SetModifiedFlag();
    return added;
}

std::string CZerinDoc::GetNewName(int kind) {
    static const char* const kPatterns[] = {"b%d", "e%d", "Text%d", "Text%d"};
    if (kind < CDocumentRecord::NAME_CONDITION || kind > CDocumentRecord::NAME_DIAGRAM_LABEL)
        return {};
    return FormatString(kPatterns[kind], m_record.nextName[static_cast<std::size_t>(kind)]++);
}

void CZerinDoc::PasteElements(std::list<CPNElement*>& elements) {
    m_selection.Clear();
    m_history.Recorder(DIAGRAM_NET_DESIGN).ModifyList(m_netDesign.m_listElements);
    for (CPNElement* e : elements) {
        m_netDesign.m_listElements.push_back(e);
        // New, so not selected yet: listed straight away.
        if (auto* label = dynamic_cast<CPNLabel*>(e); !label || !label->m_pOwner)
            m_selection.Append(e);
    }
    elements.clear();
    m_netDesign.RecalcSize(m_netDesign.m_sizeNet.cx, m_netDesign.m_sizeNet.cy);
}

int CZerinDoc::ComplementNet(CDC& dc) {
    m_history.Recorder(DIAGRAM_NET_DESIGN).ModifyList(m_netDesign.m_listElements);
    WriteOutput(PANE_ANALYSIS, "Complementing net...");
    const int added = CNetComplement(m_netDesign).Complement(dc, false);
    WriteOutput(PANE_ANALYSIS, FormatString("Added %d complement(s)", added));
    m_rFrame.UpdateAllViews();
    return added;
}

void CZerinDoc::ResizeDiagram(int nDiagram, int cx, int cy) {
    ++m_nEdits;
    if (nDiagram == DIAGRAM_CASE_GRAPH)
        m_caseGraph.ComputeExtent(cx, cy);
    else if (nDiagram == DIAGRAM_OCCURRENCE_NET)
        m_occurrenceNet.RecalcSize(cx, cy);
    else
        m_netDesign.RecalcSize(cx, cy);
}

CSize CZerinDoc::LayOutOccurrenceNet(CDC& dc) {
    return m_occurrenceNet.Layout(dc);
}

void CZerinDoc::NameForOutput(int nDiagram) {
    CDC* dc = m_rFrame.GetMeasureDC();
    if (!dc)
        return;
    if (nDiagram != DIAGRAM_OCCURRENCE_NET && nDiagram != DIAGRAM_NET_DESIGN)
        m_caseGraph.NameIfUnnamed(*dc);
    if (nDiagram != DIAGRAM_CASE_GRAPH && nDiagram != DIAGRAM_NET_DESIGN)
        m_occurrenceNet.Layout(*dc);
}

void CZerinDoc::BuildNet(const std::function<void(CNetDesign&)>& build) {
    m_history.Recorder(DIAGRAM_NET_DESIGN).ModifyList(m_netDesign.m_listElements);
    build(m_netDesign);
    SetNetModified();
    SetModifiedFlag();
}

// --- State changes. ---

void CZerinDoc::SetNetModified() {
    ++m_nEdits;
    m_record.netModified = true;
    m_record.caseGraphLaidOut = m_record.caseGraphValid = m_record.contactFree = false;
}

void CZerinDoc::ToggleGrid() {
    m_record.grid = !m_record.grid;
    SetModifiedFlag();
}

void CZerinDoc::ToggleRuler() {
    m_record.ruler = !m_record.ruler;
}
