#pragma once

#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "support/RecordingOutputSink.h"
#include "views/CViewHost.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// The main window as the view sees it: every request is remembered.
struct FakeViewHost : CViewHost {
    void SetStatusPosition(int x, int y) override { positions.push_back(QPoint(x, y)); }
    void ShowPropertiesPage(int kind, CPNElement* element) override {
        pages.push_back(kind);
        pageElements.push_back(element);
    }
    void RefreshPropertiesPage() override { ++refreshes; }
    void HideOutputBarForPrinting() override { ++outputBarHidden; }
    // Runs the work at once; with cancelAt, cancels it at that poll. The titles of the
    // tasks, their stages and their polls are kept.
    bool RunTask(const std::string& title,
                 const std::function<bool(CWorkMonitor&)>& work) override {
        tasks.push_back(title);
        CWorkMonitor monitor;
        polls = 0;
        monitor.SetPollHook([this](const CWorkMonitor::Reading& reading) {
            if (stages.empty() || stages.back() != reading.stage)
                stages.push_back(reading.stage);
            return cancelAt == 0 || ++polls < cancelAt;
        });
        results.push_back(RunHere(monitor, work));
        return results.back();
    }

    std::vector<QPoint> positions;
    std::vector<int> pages;
    std::vector<CPNElement*> pageElements;
    int refreshes = 0;
    int outputBarHidden = 0;
    int cancelAt = 0;
    int polls = 0;
    std::vector<std::string> tasks;
    std::vector<bool> results;
    std::vector<std::string> stages;
};

// The document's window services: updates reach the view, as the frame's do.
struct ViewFrame : CFrameServices {
    void UpdateAllViews() override {
        if (view)
            view->OnUpdate();
    }
    void EnableSimulationButtons(bool reset, bool start, bool stop, bool step) override {
        buttons.push_back({reset, start, stop, step});
    }
    long long CaseGraphMemoryBudget() override { return memoryBudget; }
    CDiagramView* view = nullptr;
    std::vector<std::vector<bool>> buttons;
    // The memory the document is told it has left for a stored case graph (0: any).
    long long memoryBudget = 0;
};

// A view with its dialogs answered and its repaints and menus recorded.
template <class View> class RecordingView : public View {
public:
    using CDiagramView::DrawRulers;
    using View::View;

    std::vector<QRect> invalidated;
    QStringList errors;
    int extentAnswerCx = -1;
    int extentAnswerCy = -1;
    // The last context menu: its title and its items with their enabled state.
    QString menuTitle;
    QStringList menuItems;
    std::vector<bool> menuEnabled;
    int menus = 0;
    // The item of the context menu to choose, by text; empty chooses nothing.
    QString menuChoice;

protected:
    void InvalidateDevice(const QRect& rect) override {
        invalidated.push_back(rect);
        View::InvalidateDevice(rect);
    }
    bool AskExtent(int& cx, int& cy) override {
        if (extentAnswerCx < 0)
            return false;
        cx = extentAnswerCx;
        cy = extentAnswerCy;
        return true;
    }
    void TrackPopupMenu(QMenu& menu, const QPoint&) override {
        ++menus;
        menuTitle = menu.title();
        menuItems.clear();
        menuEnabled.clear();
        for (QAction* action : menu.actions()) {
            menuItems << action->text();
            menuEnabled.push_back(action->isEnabled());
            if (action->text() == menuChoice)
                action->trigger();
        }
    }
    void ShowError(const QString& message) override { errors << message; }
};

using TestNetDesignView = RecordingView<CZerinNetDesignView>;

class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<TestNetDesignView>(doc, host);
        frame.view = view.get();
        view->resize(420, 320);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->OnInitialUpdate();
        doc.Simulation().SetSpeed(1);
    }
    void TearDown() override { frame.view = nullptr; }

    QWidget* Port() const { return view->viewport(); }

    void Tool(int id) { ASSERT_TRUE(view->OnCommand(id)); }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(Port(), Qt::LeftButton, mods, p);
    }
    void Press(QPoint p, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(Port(), Qt::LeftButton, mods, p);
    }
    void Move(QPoint p) { QTest::mouseMove(Port(), p); }
    void Release(QPoint p, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseRelease(Port(), Qt::LeftButton, mods, p);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        Move(from + QPoint(1, 0)); // the first move after a press is not a step
        Move(to);
        Release(to);
    }
    CCommandState State(int id) {
        CCommandState state;
        EXPECT_TRUE(view->OnUpdateCommand(id, state));
        return state;
    }

    template <class T> std::vector<T*> All() const {
        std::vector<T*> result;
        for (CPNElement* e : doc.NetDesign().m_listElements)
            if (auto* t = dynamic_cast<T*>(e))
                result.push_back(t);
        return result;
    }
    static std::string Name(const CPNElement* e) {
        if (auto* c = dynamic_cast<const CPNCondition*>(e))
            return c->m_pLabel ? c->m_pLabel->GetText() : "";
        if (auto* v = dynamic_cast<const CPNEvent*>(e))
            return v->m_pLabel ? v->m_pLabel->GetText() : "";
        return "";
    }
    std::vector<std::string> Pane(int pane) const { return sink.panes[pane]; }

    // b1 (marked) at (100, 100) -> e1 at (200, 100) -> b2 at (300, 100), drawn with
    // the tools.
    void DrawOneEventNet() {
        Tool(Cmd::ID_TOOL_CONDITION);
        Click(QPoint(100, 100));
        Click(QPoint(300, 100));
        Tool(Cmd::ID_TOOL_EVENT);
        Click(QPoint(200, 100));
        Tool(Cmd::ID_TOOL_EDGE);
        Drag(QPoint(100, 100), QPoint(200, 100));
        Drag(QPoint(200, 100), QPoint(300, 100));
        Tool(Cmd::ID_TOOL_TOKEN);
        Click(QPoint(100, 100));
        Tool(Cmd::ID_TOOL_SELECT);
    }

    RecordingOutputSink sink;
    ViewFrame frame;
    CZerinDoc doc{frame};
    FakeViewHost host;
    std::unique_ptr<TestNetDesignView> view;
};
