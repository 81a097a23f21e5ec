#include "document/CZerinDoc.h"

#include "document/CDocumentFile.h"

#include "casegraph/CPNCase.h"
#include "engines/CSymbolicEngine.h"
#include "base/CDC.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "document/CFrameServices.h"
#include "document/CSimulationController.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "simulation/CNetComplement.h"

#include <algorithm>
#include <cctype>

CZerinDoc::CZerinDoc(CFrameServices& frame)
    : m_penToken(PS_SOLID, 1, RGB(0, 0, 255)), m_brushToken(RGB(0, 0, 255)), m_caseGraph(m_random),
      m_rFrame(frame) {}

CZerinDoc::~CZerinDoc() {
    // The selection and the animation refer to elements the containers delete.
    m_listSelection.clear();
    m_listAnimEdges.clear();
}

// --- The framework's part. ---

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
    OnNewDocument();
    m_strPathName.clear();
    SetTitle("Untitled");
    SetModifiedFlag(false);
    m_history.Reset();
}

bool CZerinDoc::OnNewDocument() {
    m_nFileVersion = 1;
    m_bGrid = true;
    m_bGridSaved = true;
    m_bRuler = false;
    m_nGridSize = 10;
    m_bRebuildInitialCase = false;
    m_bNetModified = true;
    m_bCaseGraphLaidOut = m_bCaseGraphValid = m_bContactFree = false;
    std::fill(std::begin(m_nNextName), std::end(m_nNextName), 1);
    m_bSimulation = m_bAnimating = false;
    m_nAnimFrame = 0;
    // Flags a loaded file left behind do not belong to the new document.
    m_bRestartOccurrenceNet = false;
    m_bCaseGraphResized = false;
    m_random.SeedWithTime();
    return true;
}

void CZerinDoc::DeleteContents() {
    std::fill(std::begin(m_nNextName), std::end(m_nNextName), 1);
    m_listSelection.clear();
    m_listAnimEdges.clear();
    // The cases and the breakpoints refer to the conditions deleted below.
    m_caseCurrent.RemoveAll();
    m_caseInitial.RemoveAll();
    m_breakPoints.Clear();
    m_netDesign.DeleteContents();
    m_bSimulation = m_bAnimating = false;
    m_nAnimFrame = 0;
    m_caseGraph.DeleteContents(true);
    m_occurrenceNet.Reset();
    if (m_bRestoring)
        return;
    m_rFrame.SwitchToNetDesignView();
    m_rFrame.ClearOutputBar();
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
    return std::make_unique<CDocumentFieldsChange>(*this, m_fieldsBefore, after,
                                                   m_nFieldsGraphGeneration);
}

void CZerinDoc::RollbackFields() {
    if (std::unique_ptr<CEditChange> change = EndFields())
        change->Undo();
}

void CZerinDoc::EditApplied() {
    ++m_nEdits;
    m_rFrame.UpdateAllViews();
}

// --- Drawing. ---

void CZerinDoc::DrawNetDesign(CDC& dc) const {
    m_netDesign.Draw(dc);
    // Frame -1 is the moment between preparing a phase and its first frame: no token
    // has a place on its path yet.
    if (!m_bSimulation || !m_bAnimating || m_nAnimFrame < 0 ||
        m_nAnimFrame >= CPNEdge::kTokenPathPoints)
        return;
    const CPen* oldPen = dc.SelectObject(&m_penToken);
    const CBrush* oldBrush = dc.SelectObject(&m_brushToken);
    for (const CPNEdge* edge : m_listAnimEdges) {
        const CPoint pt = edge->GetTokenPathPoint(m_nAnimFrame);
        dc.Ellipse(pt.x - 4, pt.y - 4, pt.x + 4, pt.y + 4);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

// --- Selection. ---

void CZerinDoc::AppendToSelection(CPNElement* element) {
    element->m_bSelected = true;
    m_listSelection.push_back(element);
}

CRect CZerinDoc::Select(CPNElement* element, bool add) {
    CRect rect;
    if (!add)
        rect = ClearSelection();
    if (!element)
        return rect;
    element->m_bSelected = true;
    // Listed once, so that deleting or moving the selection touches it once.
    if (!IsSelected(element))
        m_listSelection.push_back(element);
    return rect | element->GetBoundRect();
}

CRect CZerinDoc::ClearSelection() {
    CRect rect;
    for (CPNElement* e : m_listSelection) {
        rect |= e->GetBoundRect();
        e->m_bSelected = false;
    }
    m_listSelection.clear();
    return rect;
}

bool CZerinDoc::IsSelected(const CPNElement* element) const {
    if (!element)
        return !m_listSelection.empty();
    return std::find(m_listSelection.begin(), m_listSelection.end(), element) !=
           m_listSelection.end();
}

bool CZerinDoc::HasMultipleSelection() const {
    return m_listSelection.size() > 1;
}

CPNElement* CZerinDoc::GetFirstSelected() const {
    return m_listSelection.empty() ? nullptr : m_listSelection.front();
}

bool CZerinDoc::HitTestSelectedPoints(CPoint pt) const {
    for (CPNElement* e : m_listSelection) {
        if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && edge->HitTestPoint(pt))
            return true;
        if (auto* polygon = dynamic_cast<CPNPolygon*>(e); polygon && polygon->HitTestPoint(pt))
            return true;
    }
    return false;
}

void CZerinDoc::Deselect(CPNElement* element) {
    if (!element)
        return;
    element->m_bSelected = false;
    m_listSelection.remove(element);
}

CDiagram& CZerinDoc::GetDiagram(int nDiagram) {
    if (nDiagram == DIAGRAM_CASE_GRAPH)
        return m_caseGraph;
    if (nDiagram == DIAGRAM_OCCURRENCE_NET)
        return m_occurrenceNet;
    return m_netDesign;
}

std::uint64_t CZerinDoc::DiagramGeneration(int nDiagram) const {
    return const_cast<CZerinDoc*>(this)->GetDiagram(nDiagram).GetGeneration();
}

CRect CZerinDoc::SelectInRect(int nDiagram, const CRect& rect) {
    CRect result = ClearSelection();
    return result | GetDiagram(nDiagram).SelectInRect(rect, m_bSimulation, m_listSelection);
}

CRect CZerinDoc::PlaceSelection(int nDiagram, bool front) {
    ++m_nEdits;
    const CRect rect =
        GetDiagram(nDiagram).ChangeZOrder(m_listSelection, !front, m_history.Recorder(nDiagram));
    SetModifiedFlag();
    return rect;
}

CRect CZerinDoc::MoveSelection(int nDiagram, int dx, int dy) {
    ++m_nEdits;
    if (dx == 0 && dy == 0)
        return {};
    return GetDiagram(nDiagram).MoveElements(m_listSelection, dx, dy, m_history.Recorder(nDiagram));
}

CRect CZerinDoc::MoveElement(int nDiagram, CPNElement* element, CPoint pt) {
    ++m_nEdits;
    if (!element)
        return {};
    return GetDiagram(nDiagram).MoveElement(element, pt, m_history.Recorder(nDiagram));
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
        if (GetDiagram(nDiagram).Contains(element)) {
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
    m_nNextName[NAME_CONDITION] = nextCondition;
    m_nNextName[NAME_EVENT] = nextEvent;
    SetNetModified();
    SetModifiedFlag();
    m_history.Reset(false);
}

CPNEdge* CZerinDoc::FindGrabbedEdge(CPoint pt) const {
    for (CPNElement* e : m_listSelection)
        if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && edge->HitTestPoint(pt))
            return edge;
    return nullptr;
}

bool CZerinDoc::CanDelete() const {
    for (const CPNElement* e : m_listSelection) {
        if (dynamic_cast<const CPNEdge*>(e) || dynamic_cast<const CPNEvent*>(e) ||
            dynamic_cast<const CPNCondition*>(e) || dynamic_cast<const CPNPolygon*>(e))
            return true;
        if (auto* label = dynamic_cast<const CPNLabel*>(e); label && !label->m_pOwner)
            return true;
    }
    return false;
}

CRect CZerinDoc::DeleteSelection(int nDiagram) {
    ++m_nEdits;
    CRect rect;
    if (nDiagram == DIAGRAM_NET_DESIGN) {
        // The selection may hold elements of another diagram (a case graph node, an
        // occurrence net place): the net design deletes only its own.
        std::list<CPNElement*> own;
        for (CPNElement* e : m_listSelection)
            if (m_netDesign.Contains(e))
                own.push_back(e);
        rect = ClearSelection();
        // Edges about to be deleted must not stay in the animation list.
        m_listAnimEdges.clear();
        rect |= m_netDesign.DeleteElements(own, m_history.Recorder(nDiagram));
    } else {
        rect = GetDiagram(nDiagram).DeleteElements(m_listSelection, m_history.Recorder(nDiagram));
        rect |= ClearSelection();
    }
    SetModifiedFlag();
    return rect;
}

bool CZerinDoc::AddElement(CPNElement* element, int nDiagram) {
    ++m_nEdits;
    if (!element)
        return false;
    const bool added = GetDiagram(nDiagram).AddElement(element, m_history.Recorder(nDiagram));
    if (added)
        SetModifiedFlag();
    return added;
}

std::string CZerinDoc::GetNewName(int kind) {
    static const char* const kPatterns[] = {"b%d", "e%d", "Text%d", "Text%d"};
    if (kind < NAME_CONDITION || kind > NAME_DIAGRAM_LABEL)
        return {};
    return FormatString(kPatterns[kind], m_nNextName[kind]++);
}

// --- State changes. ---

void CZerinDoc::SetNetModified() {
    ++m_nEdits;
    m_bNetModified = true;
    m_bCaseGraphLaidOut = m_bCaseGraphValid = m_bContactFree = false;
}

void CZerinDoc::SetCaseGraphLaidOut(bool bLaidOut) {
    m_bCaseGraphLaidOut = bLaidOut;
    SetModifiedFlag();
}

void CZerinDoc::AdoptCaseGraph(bool bPassed) {
    m_bNetModified = !bPassed;
    m_bCaseGraphValid = bPassed;
    m_bContactFree = bPassed && m_caseGraph.IsContactFree();
    m_bCaseGraphLaidOut = false;
}

void CZerinDoc::BuildInitialCase() {
    m_caseInitial = m_netDesign.BuildStructure();
    m_caseCurrent = m_caseInitial;
}

const CBreakPoints& CZerinDoc::RefillBreakPoints() {
    m_breakPoints.Refill(m_caseGraph);
    return m_breakPoints;
}

void CZerinDoc::SetBreakpoints(const std::vector<std::uint32_t>& indices) {
    m_breakPoints.SetBreakpoints(indices);
}

void CZerinDoc::ToggleGrid() {
    m_bGrid = !m_bGrid;
    SetModifiedFlag();
}

void CZerinDoc::ToggleRuler() {
    m_bRuler = !m_bRuler;
}

// --- Commands. ---

void CZerinDoc::OnSetBreakpoints() {
    if (!CanSetBreakpoints())
        return;
    m_breakPoints.Refill(m_caseGraph);
    m_rFrame.ShowBreakPointsDialog(m_breakPoints);
}

void CZerinDoc::OnCaseClassVerification() {
    if (!CanVerifyCaseClass())
        return;
    CCaseClassInput input;
    for (CPNElement* e : m_netDesign.m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e))
            input.conditions.push_back(c);
    for (const CPNCase* node : m_caseGraph.m_arrCases) {
        input.cases.push_back(node->m_setConditions);
        input.reachable.push_back(node->m_bReachable);
    }
    input.search = m_caseGraph.GetSymbolic();
    m_rFrame.ShowCaseClassDialog(input);
}

void CZerinDoc::NameForOutput() {
    CDC* dc = m_rFrame.GetMeasureDC();
    if (!dc)
        return;
    m_caseGraph.NameIfUnnamed(*dc);
    m_occurrenceNet.Layout(*dc);
}

void CZerinDoc::NameForOutput(int nDiagram) {
    CDC* dc = m_rFrame.GetMeasureDC();
    if (!dc)
        return;
    if (nDiagram == DIAGRAM_CASE_GRAPH)
        m_caseGraph.NameIfUnnamed(*dc);
    else if (nDiagram == DIAGRAM_OCCURRENCE_NET)
        m_occurrenceNet.Layout(*dc);
}

bool CZerinDoc::SayCasesAreNotListed() const {
    if (!m_caseGraph.GetSymbolic())
        return false;
    WriteOutput(PANE_ANALYSIS, "The cases are kept as decision diagrams: they are not listed one "
                               "by one (Total " +
                                   m_caseGraph.GetCaseCountText() + " case(s))");
    return true;
}

void CZerinDoc::OnWriteCaseClass() {
    if (!CanWriteCaseClass() || SayCasesAreNotListed())
        return;
    NameForOutput();
    m_caseGraph.WriteCaseClass();
}

void CZerinDoc::OnCountReachableClasses() {
    if (CanComputeAllReachable() && !SayCasesAreNotListed())
        m_caseGraph.WriteClassSummary();
}

void CZerinDoc::OnComputeAllReachable() {
    if (!CanComputeAllReachable() || SayCasesAreNotListed())
        return;
    NameForOutput();
    m_caseGraph.WriteForwardReachableClasses();
}

int CZerinDoc::DoNetComplement(CDC& dc) {
    // The complement reads the flow relation of the last structure build, which only
    // simulation mode guarantees to match the net: outside it an edited net may have
    // lost elements the relation still names.
    if (!CanDoNetComplement())
        return 0;
    LeaveSimulation();
    return ComplementNet(dc);
}

int CZerinDoc::ComplementNet(CDC& dc) {
    m_history.Recorder(DIAGRAM_NET_DESIGN).ModifyList(m_netDesign.m_listElements);
    WriteOutput(PANE_ANALYSIS, "Complementing net...");
    const int added = CNetComplement(m_netDesign).Complement(dc, false);
    WriteOutput(PANE_ANALYSIS, FormatString("Added %d complement(s)", added));
    m_rFrame.UpdateAllViews();
    return added;
}

void CZerinDoc::AppendStepNames(std::string& text) const {
    bool first = true;
    for (const CPNElement* e : m_listSelection) {
        auto* event = dynamic_cast<const CPNEvent*>(e);
        if (!event || !event->m_pLabel)
            continue;
        if (!first)
            text += ",";
        text += " " + event->m_pLabel->m_strText;
        first = false;
    }
    if (!first)
        text += " ";
}

// --- The simulation controller. ---

void CZerinDoc::EnterSimulation() {
    // What the edits left is the base; the simulation is no edit.
    m_history.Checkpoint();
    CSimulationController(*this).EnterSimulation();
}
bool CZerinDoc::TestNet() {
    return CSimulationController(*this).TestNet();
}
void CZerinDoc::LeaveSimulation() {
    CSimulationController(*this).LeaveSimulation();
    m_history.Rebase();
}
void CZerinDoc::ResetSystem() {
    CSimulationController(*this).ResetSystem();
}
void CZerinDoc::SetCase(const CSetConditions& c) {
    CSimulationController(*this).SetCase(c);
}
void CZerinDoc::ShowCurrentCase() {
    CSimulationController(*this).ShowCurrentCase();
}
void CZerinDoc::RefreshCase() {
    CSimulationController(*this).RefreshCase();
}
bool CZerinDoc::CheckStep(bool report) {
    return CSimulationController(*this).CheckStep(report);
}
void CZerinDoc::ExecuteStepPhase(int phase) {
    CSimulationController(*this).ExecuteStepPhase(phase);
}
void CZerinDoc::PrepareAnimation(bool post) {
    CSimulationController(*this).PrepareAnimation(post);
}
bool CZerinDoc::NextFrame() {
    return CSimulationController(*this).NextFrame();
}
bool CZerinDoc::ChooseAutomaticStep(int mode) {
    return CSimulationController(*this).ChooseAutomaticStep(mode);
}
bool CZerinDoc::CheckBreakpoint() {
    return CSimulationController(*this).CheckBreakpoint();
}
