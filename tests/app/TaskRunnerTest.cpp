// Long work runs on a worker while the window's thread goes on: its timers fire, its
// progress is shown with Cancel once the work takes a moment, Cancel reaches the work
// at its next poll, and the window is frozen around the work. What the work writes to
// the panes arrives when it completes and never when it was cancelled.

#include "FrameFixture.h"

#include "app/bars/COutputBar.h"
#include "app/dialogs/CCaseGraphProgressDialog.h"
#include "app/dialogs/CTaskProgressDialog.h"
#include "app/frame/CGuiFrameServices.h"
#include "app/frame/CTaskRunner.h"
#include "base/OutputWriter.h"
#include "views/CDiagramView.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <thread>

namespace {

class TaskRunner : public FrameFixture {
protected:
    // Work that writes to the legend and polls until cancelled or told enough.
    static bool Work(CWorkMonitor& monitor, int polls) {
        monitor.SetStage("Writing the names...");
        const WorkProgress progress = monitor.Progress();
        for (int i = 0; polls == 0 || i < polls; ++i) {
            WriteOutput(PANE_CASEGRAPH_LEGEND, "name " + std::to_string(i));
            if (!progress(static_cast<std::size_t>(i), static_cast<std::size_t>(polls)))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    int Legend() { return Frame().GetOutputBar().GetListBox(PANE_CASEGRAPH_LEGEND)->count(); }
};

TEST_F(TaskRunner, TheWindowAnswersWhileTheWorkRunsAndCancelStopsIt) {
    CTaskRunner& runner = Frame().GetTaskRunner();
    std::vector<bool> frozen;
    runner.SetFreeze([&](bool bFrozen) {
        frozen.push_back(bFrozen);
        Frame().Freeze(bFrozen);
    });
    // The window's own timers keep firing meanwhile.
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    QString stage;
    bool wasFrozen = false;
    QObject::connect(&runner, &CTaskRunner::DialogShown, [&](CTaskProgressDialog* pDialog) {
        QTimer::singleShot(60, pDialog, [&, pDialog] {
            stage = pDialog->GetStageText();
            wasFrozen = Frame().IsFrozen() && Frame().GetActiveView()->IsFrozen();
            QTest::mouseClick(pDialog->GetCancelButton(), Qt::LeftButton);
        });
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(runner.Run(QStringLiteral("Names"), [](CWorkMonitor& m) { return Work(m, 0); }));
    EXPECT_LT(timer.elapsed(), CTaskRunner::kShowAfterMs + 1000);
    EXPECT_GE(ticks, 10);
    EXPECT_EQ(stage, QStringLiteral("Writing the names..."));
    EXPECT_TRUE(wasFrozen);
    EXPECT_EQ(frozen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(Frame().IsFrozen());
    EXPECT_FALSE(runner.IsRunning());
    QCoreApplication::processEvents();
    EXPECT_EQ(Legend(), 0) << "nothing half written reaches the pane";
    // Escape cancels with the keyboard still in the window, as a window manager may leave
    // it; other keys wait.
    QObject::disconnect(&runner, &CTaskRunner::DialogShown, nullptr, nullptr);
    QObject::connect(&runner, &CTaskRunner::DialogShown, [&](CTaskProgressDialog* pDialog) {
        QTimer::singleShot(60, pDialog, [&, pDialog] {
            QWidget* pView = Frame().GetActiveView();
            QTest::keyClick(pView, Qt::Key_A);
            QTest::keyClick(pView, Qt::Key_Return);
            wasFrozen = !pDialog->WasCancelled();
            QTest::keyClick(pView, Qt::Key_Escape);
        });
    });
    timer.restart();
    EXPECT_FALSE(
        runner.Run(QStringLiteral("Names"), [](CWorkMonitor& m) { return Work(m, 2000); }));
    EXPECT_LT(timer.elapsed(), CTaskRunner::kShowAfterMs + 1000);
    EXPECT_TRUE(wasFrozen) << "only Escape cancels";
}

TEST_F(TaskRunner, WorkThatEndsShowsNoDialogAndWritesWhatItWrote) {
    CTaskRunner& runner = Frame().GetTaskRunner();
    int dialogs = 0;
    QObject::connect(&runner, &CTaskRunner::DialogShown, [&] { ++dialogs; });
    EXPECT_TRUE(runner.Run(QStringLiteral("Names"), [](CWorkMonitor& m) { return Work(m, 20); }));
    EXPECT_EQ(dialogs, 0) << "quick work shows no dialog";
    QCoreApplication::processEvents();
    EXPECT_EQ(Legend(), 20);
    // Work within work runs at once on the worker; an exception comes out of Run.
    bool inner = false;
    EXPECT_TRUE(runner.Run(QStringLiteral("Outer"), [&](CWorkMonitor&) {
        inner = runner.Run(QStringLiteral("Inner"), [](CWorkMonitor&) { return true; });
        return inner;
    }));
    EXPECT_TRUE(inner);
    // It reports to the running work's monitor: a Cancel of the outer work reaches it.
    EXPECT_FALSE(runner.Run(QStringLiteral("Outer"), [&](CWorkMonitor& outer) {
        outer.Cancel();
        return runner.Run(QStringLiteral("Inner"), [](CWorkMonitor& m) { return m.Poll(); });
    }));
    EXPECT_THROW(
        runner.Run(QStringLiteral("Throws"), [](CWorkMonitor&) -> bool { throw std::bad_alloc(); }),
        std::bad_alloc);
    EXPECT_FALSE(runner.IsRunning());
}

// The net's test goes on after the graph on the window's thread (the concession of every
// event over the whole class): the graph's progress stays for it, its Cancel still heard,
// and goes once the window's thread is back in its loop.
TEST_F(TaskRunner, TheCaseGraphProgressHearsCancelUntilTheTestEnds) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    services.BeginCaseGraphProgress();
    EXPECT_TRUE(services.CaseGraphProgress(12, 30));
    services.EndCaseGraphProgress();
    auto* pDialog = Frame().findChild<CCaseGraphProgressDialog*>();
    ASSERT_NE(pDialog, nullptr);
    EXPECT_TRUE(services.CaseGraphProgress(12, 0));
    pDialog->reject();
    EXPECT_FALSE(services.CaseGraphProgress(12, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Frame().findChild<CCaseGraphProgressDialog*>(), nullptr);
    EXPECT_TRUE(services.CaseGraphProgress(12, 0)) << "no dialog, nothing to cancel";
}

} // namespace
