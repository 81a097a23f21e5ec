#include "casegraph/CCaseGraph.h"
#include "support/DocAccess.h"
#include "casegraph/CPNCase.h"
#include "app/bars/COutputBar.h"
#include "app/dialogs/CDlgSmoothCaseGraph.h"
#include "base/COutputSink.h"
#include "base/CRandomSource.h"
#include "base/OutputWriter.h"
#include "document/CNullFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CNetDesign.h"
#include "platform/CMeasureDC.h"
#include "support/NetFamilies.h"
#include "views/CViewHost.h"
#include "views/CZerinCaseGraphView.h"
#include "views/CommandIds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <memory>
#include <thread>

#include <malloc.h>

// The case graph view over the philosophers' graph: the first showing (layout, names,
// the names written out) and a repaint of a window of 1000 x 800.
namespace {

class CountingSink : public COutputSink {
public:
    void AppendLine(int, const std::string&) override { ++lines; }
    void ShowPane(int) override {}
    void ClearPane(int) override {}
    void Beep() override {}
    long long lines = 0;
};

class NullHost : public CViewHost {
public:
    void SetStatusPosition(int, int) override {}
    void ShowPropertiesPage(int, CPNElement*) override {}
    void RefreshPropertiesPage() override {}
    void HideOutputBarForPrinting() override {}
};

// A window whose user presses Cancel a while after a task started (cancelMs; never at
// 0): the task's longest time between two polls and the time from Cancel to its end.
struct CancellingHost : NullHost {
    bool RunTask(const std::string&, const std::function<bool(CWorkMonitor&)>& work) override {
        CWorkMonitor monitor;
        std::atomic<bool> ended = false;
        std::chrono::steady_clock::time_point cancelled;
        std::thread user([&] {
            const auto until =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(cancelMs);
            while (cancelMs > 0 && !ended && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (cancelMs > 0 && !ended) {
                cancelled = std::chrono::steady_clock::now();
                monitor.Cancel();
            }
        });
        const bool done = RunHere(monitor, work);
        ended = true;
        user.join();
        longestGap = std::max(longestGap, monitor.Read().longestGap);
        if (!done)
            answered =
                std::max(answered,
                         std::chrono::duration<double>(std::chrono::steady_clock::now() - cancelled)
                             .count());
        return done;
    }
    int cancelMs = 0;
    double longestGap = 0;
    double answered = 0;
};

// A document in simulation with the case graph computed and not yet shown.
struct Fixture {
    // The layout is random: a seed picks one, so that runs compare.
    // The whole graph, or as a user first meets it (the overview past the limits).
    // With stored: every step stored (the explicit engine), else as auto chooses.
    explicit Fixture(int philosophers, unsigned seed = 0, bool whole = true, bool stored = false) {
        if (seed != 0)
            doc.GetRandom().SetFixedSeed(seed);
        if (stored)
            doc.Simulation().SetEngineChoice(ECaseEngine::Explicit);
        BuildDiningPhilosophers(NetOf(doc), philosophers);
        doc.Simulation().Enter();
        view = std::make_unique<CZerinCaseGraphView>(doc, host);
        if (whole)
            view->SetOverviewLimits(INT_MAX, INT_MAX);
        view->resize(1000, 800);
        view->OnInitialUpdate();
    }
    CNullFrameServices frame;
    CZerinDoc doc{frame};
    CancellingHost host;
    std::unique_ptr<CZerinCaseGraphView> view;
};

// The names go to the output bar's list, as in the program. "Show Case Graph" as the
// user meets it (the overview of a large graph, whole:0) and the whole graph, each to
// its first paint; with stored:1 over every step stored, as the explicit engine keeps them.
void BM_FirstShowCaseGraph(benchmark::State& state) {
    COutputBar bar;
    COutputSink* previous = SetOutputSink(&bar);
    Fixture f(static_cast<int>(state.range(0)), 0, state.range(1) != 0, state.range(2) != 0);
    QImage image(1000, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        f.doc.CaseGraphEditor().SetLaidOut(false);
        f.view->OnInitialUpdate();
        state.ResumeTiming();
        f.view->Refresh();
        // The names reach the bar's list on the next turn of the event loop.
        QCoreApplication::processEvents();
        QPainter painter(&image);
        f.view->PaintArea(painter, QRect(0, 0, 1000, 800));
    }
    state.counters["cases"] = GraphOf(f.doc).Cases().size();
    state.counters["steps"] = GraphOf(f.doc).StepCount();
    SetOutputSink(previous);
}

// The bytes the program holds on its heap, every allocated object counted.
double HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// A window that times the progress reports: Cancel is seen at the next one.
struct TimingFrame : CNullFrameServices {
    bool CaseGraphProgress(int, int) override {
        const auto now = std::chrono::steady_clock::now();
        if (reports++ > 0)
            longest = std::max(longest, std::chrono::duration<double>(now - last).count());
        last = now;
        return true;
    }
    std::chrono::steady_clock::time_point last;
    double longest = 0;
    long reports = 0;
};

// "Enter Simulation Mode" on a new net: the net test with the case graph, then the
// case graph's first showing and repaint. Counted: the longest time between two
// progress reports (a Cancel waits at most that long) and the heap the graph and its
// view take per step.
void BM_EnterSimulation(benchmark::State& state) {
    CountingSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    struct Entry {
        TimingFrame frame;
        CZerinDoc doc{frame};
        NullHost host;
        CZerinCaseGraphView view{doc, host};
        QImage image{1000, 800, QImage::Format_RGB32};
    };
    std::unique_ptr<Entry> e;
    for (auto _ : state) {
        state.PauseTiming();
        e = std::make_unique<Entry>();
        BuildDiningPhilosophers(NetOf(e->doc), static_cast<int>(state.range(0)));
        e->view.resize(1000, 800);
        e->view.OnInitialUpdate();
        const double before = HeapBytes();
        state.ResumeTiming();
        e->doc.Simulation().Enter();
        e->view.Refresh();
        QPainter painter(&e->image);
        e->view.PaintArea(painter, QRect(0, 0, 1000, 800));
        painter.end();
        state.PauseTiming();
        const double steps = GraphOf(e->doc).StepCount();
        state.counters["steps"] = steps;
        state.counters["bytes/step"] = steps > 0 ? (HeapBytes() - before) / steps : 0;
        state.counters["heap MB"] = (HeapBytes() - before) / (1 << 20);
        state.counters["report gap ms"] = 1000 * e->frame.longest;
        e.reset();
        state.ResumeTiming();
    }
    SetOutputSink(previous);
}

void BM_RepaintCaseGraph(benchmark::State& state) {
    CountingSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    Fixture f(static_cast<int>(state.range(0)), static_cast<unsigned>(state.range(1)));
    f.view->Refresh();
    QImage image(1000, 800, QImage::Format_RGB32);
    // The first paint also reads the bounds of every step once; the rest only repaint.
    {
        QPainter painter(&image);
        f.view->PaintArea(painter, QRect(0, 0, 1000, 800));
    }
    for (auto _ : state) {
        QPainter painter(&image);
        f.view->PaintArea(painter, QRect(0, 0, 1000, 800));
    }
    SetOutputSink(previous);
}

// What the repaint costs before any pixel: finding what meets the window.
void BM_CullCaseGraph(benchmark::State& state) {
    CountingSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    Fixture f(static_cast<int>(state.range(0)));
    f.view->Refresh();
    CMeasureDC dc;
    for (auto _ : state)
        f.doc.CaseGraph().Draw(dc, CRect(0, 0, 1000, 800));
    SetOutputSink(previous);
}

// The window's part of a user's gesture: the view shown and painted once, then each
// iteration one change and the repaint of the window that follows it.
struct ShownFixture : Fixture {
    explicit ShownFixture(int philosophers, bool stored = false)
        : Fixture(philosophers, 0, true, stored) {
        SetOutputSink(&sink);
        view->Refresh();
        Paint();
    }
    ~ShownFixture() { SetOutputSink(nullptr); }
    void Paint() {
        QPainter painter(&image);
        view->PaintArea(painter, QRect(0, 0, 1000, 800));
    }
    CountingSink sink;
    QImage image{1000, 800, QImage::Format_RGB32};
};

// "Leave Simulation" with the case graph shown: the document's part and the views'
// update and repaint.
void BM_LeaveSimulation(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        f.doc.Simulation().Enter();
        f.view->Refresh();
        f.Paint();
        state.ResumeTiming();
        f.doc.Simulation().Leave();
        f.view->OnUpdate();
        f.Paint();
    }
}

// One mouse move of a drag of a case (outside simulation): the move, its steps, the
// edit it makes and the repaint of the window.
void BM_DragOneCaseFrame(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    f.doc.Simulation().Leave();
    f.view->OnUpdate();
    f.Paint();
    CPNCase* node = GraphOf(f.doc).Cases()[0];
    const CPoint start = node->m_ptPos;
    f.doc.History().Begin("Move");
    int i = 0;
    // The move with its edit, and the repaint, apart.
    double moving = 0, painting = 0;
    for (auto _ : state) {
        const CPoint to(start.x + (++i % 2) * 10, start.y);
        const auto began = std::chrono::steady_clock::now();
        f.doc.MoveElement(CZerinDoc::DIAGRAM_CASE_GRAPH, node, to);
        const auto moved = std::chrono::steady_clock::now();
        f.Paint();
        moving += std::chrono::duration<double>(moved - began).count();
        painting += std::chrono::duration<double>(std::chrono::steady_clock::now() - moved).count();
    }
    state.counters["move ms"] = 1000 * moving / i;
    state.counters["paint ms"] = 1000 * painting / i;
    f.doc.History().End();
}

// Undo and Redo of a drag of one case (outside simulation), each with the repaint of
// the window that follows.
void BM_UndoDrag(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    f.doc.Simulation().Leave();
    f.view->OnUpdate();
    f.Paint();
    CPNCase* node = GraphOf(f.doc).Cases()[0];
    const CPoint start = node->m_ptPos;
    f.doc.History().Begin("Move");
    for (int i = 1; i <= 5; ++i)
        f.doc.MoveElement(CZerinDoc::DIAGRAM_CASE_GRAPH, node, CPoint(start.x + 10 * i, start.y));
    f.doc.History().End();
    f.Paint();
    int i = 0;
    for (auto _ : state) {
        if (++i % 2)
            f.doc.History().Undo();
        else
            f.doc.History().Redo();
        f.Paint();
    }
}

// The same drag as the user makes it: mouse events to the shown window, each move
// followed by the event loop's turn that repaints what it invalidated.
void BM_DragThroughTheWindow(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    f.doc.Simulation().Leave();
    f.view->OnUpdate();
    f.view->show();
    QWidget* port = f.view->viewport();
    const CPNCase* node = GraphOf(f.doc).Cases()[0];
    f.view->CenterOn(node->m_ptPos);
    QCoreApplication::processEvents();
    const QPoint from = f.view->LogicalToDevice(node->m_ptPos);
    const auto send = [port](QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(at), QPointF(port->mapToGlobal(at)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, from + QPoint(5 + (++i % 2) * 10, 0), Qt::NoButton);
        QCoreApplication::processEvents();
    }
    send(QEvent::MouseButtonRelease, from, Qt::LeftButton);
    state.counters["moved"] = node->m_ptPos != f.view->DeviceToLogical(from);
}

// "Smooth Case Graph" as the user runs it: the dialog on 7 philosophers (29 cases, 308
// steps), Start, two seconds of the event loop, Stop. Counted: generations a second.
void BM_SmoothingInTheDialog(benchmark::State& state) {
    CRandomSource random(1);
    CNetDesign net;
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(BuildDiningPhilosophers(net, 7), net, {});
    graph.InitialLayout();
    double generations = 0, seconds = 0;
    for (auto _ : state) {
        CSize extent;
        graph.Smooth(extent, [&](CSmoothCaseGraphSession& session) {
            CDlgSmoothCaseGraph dialog(session);
            const long long before = session.GetGenerations();
            QElapsedTimer timer;
            timer.start();
            dialog.OnStart();
            // The event loop waits for events as the program's does, not spinning.
            QEventLoop loop;
            QTimer::singleShot(2000, &loop, &QEventLoop::quit);
            loop.exec();
            dialog.OnStop();
            seconds += timer.elapsed() / 1000.0;
            generations += static_cast<double>(session.GetGenerations() - before);
            return false;
        });
    }
    state.counters["generations/s"] = generations / seconds;
}

// One notch of Ctrl with the wheel: zoom around a point and repaint.
void BM_WheelNotch(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        if (++i % 2)
            f.view->ZoomOut(QPoint(500, 400));
        else
            f.view->ZoomIn(QPoint(500, 400));
        f.Paint();
    }
}

// Case Graph > "Lay Out Neighbourhood" after "Go to Case..." c200 (outside simulation):
// the cases one step around it gathered as one edit, and the repaint; then Undo.
void BM_LayOutNeighbourhood(benchmark::State& state) {
    ShownFixture f(static_cast<int>(state.range(0)));
    f.doc.Simulation().Leave();
    f.view->OnUpdate();
    std::string error;
    f.view->GoToCase("c200", {}, {}, 1, error);
    f.Paint();
    double undoing = 0;
    int shown = 0;
    for (auto _ : state) {
        f.doc.History().Begin("Lay Out Neighbourhood");
        f.view->OnCommand(Cmd::ID_LAY_OUT_NEIGHBOURHOOD);
        f.doc.History().End();
        f.Paint();
        state.PauseTiming();
        const auto began = std::chrono::steady_clock::now();
        f.doc.History().Undo();
        f.Paint();
        undoing += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        ++shown;
        state.ResumeTiming();
    }
    state.counters["undo ms"] = 1000 * undoing / shown;
}

// Lay Out Neighbourhood on 18 philosophers cancelled after cancelMs (as the real window
// check: c200 and the cases one step around it, the whole graph shown): the longest time
// without a poll and the time Cancel waits, each the worst over the iterations.
void BM_CancelLayOutNeighbourhood(benchmark::State& state) {
    ShownFixture f(18, true);
    f.doc.Simulation().Leave();
    f.view->OnUpdate();
    std::string error;
    f.view->GoToCase("c200", {}, {}, 1, error);
    f.Paint();
    // Only the command's own task counts.
    f.host.longestGap = 0;
    f.host.cancelMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        f.view->OnCommand(Cmd::ID_LAY_OUT_NEIGHBOURHOOD);
        f.Paint();
        if (f.doc.History().CanUndo()) {
            state.PauseTiming();
            f.doc.History().Undo();
            f.Paint();
            state.ResumeTiming();
        }
    }
    state.counters["poll gap ms"] = 1000 * f.host.longestGap;
    state.counters["cancel ms"] = 1000 * f.host.answered;
    state.counters["steps"] = static_cast<double>(GraphOf(f.doc).StepCount());
    std::size_t shown = 0;
    for (std::size_t i = 0; i < GraphOf(f.doc).CaseCount(); ++i)
        shown += GraphOf(f.doc).IsCaseShown(i) ? 1 : 0;
    state.counters["shown"] = static_cast<double>(shown);
}

// A window that gives the case graph a gigabyte: 24 philosophers keep their cases and
// make their steps on demand. With a budget of a byte every graph makes its steps on
// demand (18 philosophers, as the real-window check had them).
struct BudgetFrame : CNullFrameServices {
    long long CaseGraphMemoryBudget() override { return budget; }
    long long budget = 1LL << 30;
};

// "Go to Case..." c200 with the cases one event around it (radius: that many), on the
// overview of 24 philosophers (103,682 cases; 18: 5,778; 30: 1,860,498) whose steps come
// on demand and whose cases the engine keeps as rows: the first one (again:0) makes the
// part's cases nodes and names them, a later one (again:1) moves to another
// neighbourhood, again:2 does so after Layered Layout of the first (which makes every
// case a node). On 18 philosophers the graph counts as small and Go to Case runs on the
// window's thread.
// Counted: the heap in all, the steps made, the grid's side, the longest Go to Case.
void BM_GoToCaseOnDemand(benchmark::State& state) {
    CountingSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    const int philosophers = static_cast<int>(state.range(0));
    struct Entry {
        BudgetFrame frame;
        CZerinDoc doc{frame};
        NullHost host;
        CZerinCaseGraphView view{doc, host};
        QImage image{1000, 800, QImage::Format_RGB32};
    };
    std::unique_ptr<Entry> e;
    int steps = 0;
    double longest = 0;
    int grid = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool first = !e || state.range(1) == 0;
        if (first) {
            e = std::make_unique<Entry>();
            e->frame.budget = philosophers >= 24 ? 1LL << 30 : 1;
            BuildDiningPhilosophers(NetOf(e->doc), philosophers);
            e->view.resize(1000, 800);
            e->view.OnInitialUpdate();
            e->doc.Simulation().Enter();
            e->view.Refresh();
            // Again: the graph was laid out by a neighbourhood before (2: and laid out
            // in layers there, out of the token game: a grid of millions of cells).
            std::string error;
            if (state.range(1) >= 1)
                e->view.GoToCase("c100", {}, {}, 1, error);
            if (state.range(1) == 2) {
                e->doc.Simulation().Leave();
                e->view.OnUpdate();
                e->view.OnCommand(Cmd::ID_LAYERED_LAYOUT);
                grid = GraphOf(e->doc).GridSize();
            }
        }
        const std::string name = "c" + std::to_string(200 + 100 * steps);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        std::string error;
        if (!e->view.GoToCase(name, {}, {}, static_cast<int>(state.range(2)), error))
            state.SkipWithError(error.c_str());
        longest = std::max(
            longest,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        QPainter painter(&e->image);
        e->view.PaintArea(painter, QRect(0, 0, 1000, 800));
        painter.end();
        ++steps;
    }
    state.counters["longest ms"] = 1000 * longest;
    state.counters["grid"] = grid;
    state.counters["steps"] = static_cast<double>(GraphOf(e->doc).StepCount());
    state.counters["heap MB"] = HeapBytes() / (1 << 20);
    SetOutputSink(previous);
}

// A double click on the largest group of the overview of 18 philosophers whose steps come
// on demand (in the token game), Cancel pressed cancelMs after the gather started (never
// at 0): the longest time without a poll, the time Cancel waits (the rollback's included).
void BM_CancelOpenGroup(benchmark::State& state) {
    CountingSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    struct Entry {
        BudgetFrame frame;
        CZerinDoc doc{frame};
        CancellingHost host;
        CZerinCaseGraphView view{doc, host};
    };
    std::size_t cases = 0;
    double longestGap = 0, answered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<Entry>();
        e->frame.budget = 1;
        BuildDiningPhilosophers(NetOf(e->doc), 18);
        e->view.resize(1000, 800);
        e->view.OnInitialUpdate();
        e->doc.Simulation().Enter();
        e->view.Refresh();
        const CCaseGraphOverview& overview = *e->view.GetOverview();
        std::uint32_t group = 0;
        for (std::uint32_t g = 0; g < overview.Groups().size(); ++g)
            if (overview.CasesOf(g).size() > overview.CasesOf(group).size())
                group = g;
        cases = overview.CasesOf(group).size();
        const CPoint centre = overview.GroupRect(group).CenterPoint();
        const CPoint scroll = e->view.GetScrollPosition();
        const CPoint at(centre.x - scroll.x, centre.y - scroll.y);
        e->host.cancelMs = static_cast<int>(state.range(0));
        state.ResumeTiming();
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(at.x, at.y), QPointF(at.x, at.y),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e->view.viewport(), &click);
        state.PauseTiming();
        longestGap = std::max(longestGap, e->host.longestGap);
        answered = std::max(answered, e->host.answered);
        e.reset();
        state.ResumeTiming();
    }
    state.counters["cases"] = static_cast<double>(cases);
    state.counters["poll gap ms"] = 1000 * longestGap;
    state.counters["cancel ms"] = 1000 * answered;
    SetOutputSink(previous);
}

} // namespace

BENCHMARK(BM_GoToCaseOnDemand)
    ->Args({18, 0, 1})
    ->Args({18, 1, 1})
    ->Args({18, 2, 1})
    ->Args({18, 2, 3})
    ->Args({24, 0, 1})
    ->Args({24, 1, 1})
    ->Args({30, 0, 1})
    ->ArgNames({"phil", "again", "radius"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_CancelOpenGroup)
    ->Arg(0)
    ->Arg(20)
    ->Arg(100)
    ->ArgName("cancel ms")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_CancelLayOutNeighbourhood)
    ->Arg(0)
    ->Arg(300)
    ->Arg(700)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_LayOutNeighbourhood)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoDrag)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_LeaveSimulation)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DragOneCaseFrame)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_DragThroughTheWindow)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SmoothingInTheDialog)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WheelNotch)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_EnterSimulation)->Arg(16)->Arg(18)->Unit(benchmark::kMillisecond)->Iterations(2);
// 30 philosophers: 1.86 million cases kept by the cases engine, none of their steps.
BENCHMARK(BM_EnterSimulation)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CullCaseGraph)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstShowCaseGraph)
    ->ArgsProduct({{16, 18}, {0, 1}, {0, 1}})
    ->ArgNames({"phil", "whole", "stored"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Five layouts: the repaint's cost depends on how many steps cross the window.
BENCHMARK(BM_RepaintCaseGraph)
    ->ArgsProduct({{16}, {1, 2, 3, 4, 5}})
    ->ArgNames({"phil", "layout"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
