// What an edit costs in a large document: 16 philosophers with their case graph
// (2,207 cases, 623,072 steps) computed and laid out, the run recorded. A move of one
// case, its undo and its redo; a nudge of one condition; a thousand moves in a row and
// the memory the history then holds (reported as counters, in bytes).

#include "casegraph/CPNCase.h"
#include "support/DocAccess.h"
#include "document/CDocumentFile.h"
#include "document/CNullFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kGraph = CZerinDoc::DIAGRAM_CASE_GRAPH;
constexpr int kNet = CZerinDoc::DIAGRAM_NET_DESIGN;

struct LaidOut {
    CNullFrameServices frame;
    CZerinDoc doc{frame};
    RecordingDC dc;
    explicit LaidOut(int philosophers) {
        doc.NewDocument();
        BuildDiningPhilosophers(NetOf(doc), philosophers);
        doc.SetNetModified();
        doc.Simulation().Enter();
        doc.Simulation().Leave();
        GraphOf(doc).NameElements(dc);
        GraphOf(doc).InitialLayout();
        doc.SetCaseGraphLaidOut();
        doc.History().Reset();
    }
    void Move(CPNElement* element, int diagram, int dx) {
        doc.BeginEdit("Move");
        doc.MoveElement(diagram, element, CPoint(element->m_ptPos.x + dx, element->m_ptPos.y));
        doc.EndEdit();
    }
};

LaidOut& Document() {
    static const auto doc = std::make_unique<LaidOut>(16);
    return *doc;
}

CPNCondition* FirstCondition(CZerinDoc& doc) {
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e))
            return c;
    return nullptr;
}

// Each time a case not moved before, whose steps all take a new route: the largest
// record a move of one case makes.
void BM_MoveOneCase(benchmark::State& state) {
    LaidOut& d = Document();
    const auto& cases = GraphOf(d.doc).Cases();
    std::size_t next = 100;
    double largest = 0;
    for (auto _ : state) {
        const std::size_t before = d.doc.History().Stack().Size();
        d.Move(cases[next++ % cases.size()], kGraph, 30);
        largest = std::max(largest, static_cast<double>(d.doc.History().Stack().Size() - before));
    }
    state.counters["history_bytes_per_move"] = largest;
}

void BM_UndoRedoMoveOfOneCase(benchmark::State& state) {
    LaidOut& d = Document();
    d.Move(GraphOf(d.doc).Cases()[11], kGraph, 60);
    const bool redo = state.range(0) == 1;
    for (auto _ : state) {
        if (redo) {
            state.PauseTiming();
            d.doc.History().Undo();
            state.ResumeTiming();
            d.doc.History().Redo();
        } else {
            d.doc.History().Undo();
            state.PauseTiming();
            d.doc.History().Redo();
            state.ResumeTiming();
        }
    }
}

void BM_NudgeOneCondition(benchmark::State& state) {
    LaidOut& d = Document();
    CPNCondition* c = FirstCondition(d.doc);
    int dx = 10;
    for (auto _ : state) {
        d.doc.Selection().Clear();
        d.doc.Selection().Select(c, false);
        d.doc.BeginEdit("Move");
        d.doc.MoveSelection(kNet, dx, 0);
        d.doc.EndEdit();
        dx = -dx;
    }
}

void BM_ThousandMovesInARow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        LaidOut& d = Document();
        d.doc.History().Reset();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            d.Move(GraphOf(d.doc).Cases()[static_cast<std::size_t>(i % 97)], kGraph,
                   i % 2 == 0 ? 60 : -60);
        state.counters["history_bytes"] = static_cast<double>(d.doc.History().Stack().Size());
        // What an edit cost when the history kept the document's bytes before and after.
        state.counters["document_bytes"] = static_cast<double>(CDocumentFile::Store(d.doc).size());
    }
}

} // namespace

BENCHMARK(BM_MoveOneCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoMoveOfOneCase)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NudgeOneCondition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandMovesInARow)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
