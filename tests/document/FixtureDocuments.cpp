#include "FixtureDocuments.h"

#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

struct ProducerConsumer {
    CPNCondition* ready = nullptr;
    CPNCondition* full = nullptr;
    CPNCondition* empty = nullptr;
    CPNEvent* produce = nullptr;
    CPNEvent* consume = nullptr;
};

// Grabs the midpoint handle of the edge's first segment and drags it away, as the
// editor bends an edge.
void Bend(CPNEdge& edge, CSize by) {
    const CPoint handle = std::next(edge.m_listPoints.begin())->m_pt;
    if (!edge.HitTestPoint(handle))
        throw std::logic_error("no handle to bend");
    edge.MoveTo(handle + by);
    edge.m_bSelected = false;
}

ProducerConsumer BuildNet(CZerinDoc& doc) {
    RecordingDC dc;
    CNetDesign& net = doc.m_netDesign;
    NetBuilder b(net);
    ProducerConsumer pc;
    pc.ready = b.Condition("ready", true);
    pc.full = b.Condition("full");
    pc.empty = b.Condition("empty", true);
    pc.produce = b.Event("produce", {pc.ready, pc.empty}, {pc.full});
    pc.consume = b.Event("consume", {pc.full}, {pc.ready, pc.empty});
    for (CPNElement* element : net.m_listElements)
        if (auto* label = dynamic_cast<CPNLabel*>(element))
            label->RecalcTextRect(dc);
    pc.empty->m_pLabel->m_bVisible = false;
    for (CPNElement* element : net.m_listElements)
        if (auto* edge = dynamic_cast<CPNEdge*>(element); edge && edge->m_pTo == pc.full) {
            Bend(*edge, CSize(30, 50));
            break;
        }
    auto* note = new CPNLabel(500, 40);
    LOGFONT lf = CPNLabel::DefaultLogFont();
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    note->SetFont(lf);
    note->m_crText = RGB(200, 10, 10);
    note->SetText("Čaj o páté\nsecond line", dc);
    net.AddElement(note);
    auto* polygon = new CPNPolygon(400, 300);
    polygon->m_nFillMode = 1;
    polygon->m_nLineStyle = PS_DOT;
    net.AddElement(polygon);
    net.m_sizeNet = CSize(3000, 2000);
    doc.m_nNextName[0] = 4;
    doc.m_nNextName[1] = 3;
    doc.m_nNextName[2] = 2;
    doc.m_nGridSize = 20;
    doc.m_bGrid = doc.m_bGridSaved = false;
    return pc;
}

// Tests the net, computes its case graph and lays it out as the case graph view does.
CSetConditions BuildCaseGraph(CZerinDoc& doc) {
    RecordingDC dc;
    const CSetConditions initial = doc.m_netDesign.BuildStructure();
    CCaseGraph& graph = doc.m_caseGraph;
    graph.ComputeCaseGraph(initial, doc.m_netDesign);
    graph.MarkInitialCase(initial);
    graph.NameElements(dc);
    int i = 0;
    for (CPNCase* node : graph.m_arrCases) {
        node->MoveTo(CPoint(80 + 160 * i, 80 + 60 * (i % 2)));
        ++i;
    }
    for (CPNStep* step : graph.m_arrSteps)
        step->ResetPoints();
    if (!graph.m_arrSteps.empty())
        Bend(*graph.m_arrSteps.front(), CSize(0, -40));
    auto* note = new CPNLabel(100, 300);
    note->SetText("initial case", dc);
    graph.m_listElements.push_back(note);
    graph.m_listElements.push_back(new CPNPolygon(20, 250));
    graph.m_sizeExtent = CSize(800, 400);
    graph.m_bLaidOut = true;
    doc.m_bNetModified = false;
    doc.m_bCaseGraphValid = true;
    doc.m_bCaseGraphLaidOut = true;
    doc.m_nNextName[3] = 2;
    return initial;
}

CSetConditions Fire(const CSetConditions& current, const CPNEvent& event) {
    CSetConditions next = current;
    next.Subtract(event.m_setPreConditions);
    next.Union(event.m_setPostConditions);
    return next;
}

void RecordRun(CZerinDoc& doc, const ProducerConsumer& pc, const CSetConditions& initial) {
    RecordingDC dc;
    COccurrenceNet& record = doc.m_occurrenceNet;
    doc.m_bContactFree = doc.m_caseGraph.IsContactFree();
    record.NumberElements(doc.m_netDesign.m_listElements);
    record.Start(initial);
    CSetConditions current = initial;
    for (CPNEvent* event : {pc.produce, pc.consume, pc.produce}) {
        current = Fire(current, *event);
        record.RecordStep({event}, current);
    }
    record.Layout(dc);
    auto* note = new CPNLabel(60, 20);
    note->SetText("run 1", dc);
    record.AddDecoration(note);
}

} // namespace

FixtureDocument::FixtureDocument() : doc(std::make_unique<CZerinDoc>(frame)) {}
FixtureDocument::~FixtureDocument() = default;

std::vector<std::string> FixtureNames() {
    return {"empty", "net", "casegraph", "occurrence"};
}

void BuildFixture(const std::string& name, CZerinDoc& doc) {
    if (name == "empty")
        return;
    const ProducerConsumer pc = BuildNet(doc);
    if (name == "net")
        return;
    const CSetConditions initial = BuildCaseGraph(doc);
    if (name == "casegraph")
        return;
    if (name == "occurrence") {
        RecordRun(doc, pc, initial);
        return;
    }
    throw std::invalid_argument("no fixture " + name);
}

std::vector<std::uint8_t> FixtureBytes(const std::string& name) {
    FixtureDocument f;
    BuildFixture(name, *f.doc);
    return CDocumentFile::Store(*f.doc);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
