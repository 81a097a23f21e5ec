#include "app/frame/CMainFrame.h"

#include "engines/CCaseEngine.h"
#include "views/CommandIds.h"

#include "app/bars/CDlgPropertiesConditionBar.h"
#include "app/bars/CDlgPropertiesEventBar.h"
#include "app/bars/CDlgPropertiesLabelBar.h"
#include "app/bars/CDlgPropertiesPolygonBar.h"
#include "app/bars/CDlgPropertiesSimulationBar.h"
#include "app/bars/CNavigatorBar.h"
#include "app/bars/COutputBar.h"
#include "app/bars/CPropertyListBar.h"
#include "app/bars/CStructureListBar.h"
#include "app/dialogs/CDlgGoToCase.h"
#include "app/dialogs/CDlgOverviewLimits.h"
#include "app/dialogs/CDlgSmoothCaseGraph.h"
#include "app/dialogs/DialogTitle.h"
#include "app/frame/CFrameFindingsHost.h"
#include "app/frame/CRecoveryService.h"
#include "app/frame/CTaskRunner.h"
#include "app/frame/ToolBarIcons.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "casegraph/CCasePath.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "simulation/CNameList.h"
#include "views/CZerinCaseGraphView.h"
#include "views/CZerinNetDesignView.h"
#include "views/CZerinOccurrenceNetView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// How often the toolbar buttons run their update rules while the program is idle.
constexpr int IDLE_UPDATE_MS = 200;
// The page floats this far left of the screen's right edge.
constexpr int PAGE_MARGIN = 8;
constexpr int PAGE_RESYNC_MS = 150;

QPoint KeepOnScreen(QPoint pt, QSize size) {
    const QScreen* pScreen = QGuiApplication::screenAt(pt);
    if (!pScreen)
        pScreen = QGuiApplication::primaryScreen();
    if (!pScreen)
        return pt;
    const QRect avail = pScreen->availableGeometry();
    const int x = std::max(avail.left(), std::min(pt.x(), avail.right() + 1 - size.width()));
    const int y = std::max(avail.top(), std::min(pt.y(), avail.bottom() + 1 - size.height()));
    return {x, y};
}

} // namespace

CMainFrame::CMainFrame(QWidget* pParent)
    : QMainWindow(pParent), m_services(*this), m_doc(m_services) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ApplicationIcon());
    setDockOptions(QMainWindow::AnimatedDocks);
    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    CreateOutputBar();
    CreatePages();

    m_pNetDesignView = new CZerinNetDesignView(m_doc, *this, this);
    m_pNetDesignView->setObjectName(QStringLiteral("NetDesignView"));
    m_arrViews[VIEW_NET_DESIGN] = m_pNetDesignView;
    setCentralWidget(m_pNetDesignView);
    CreateFindingsBars();

    m_pOutputBar->SetTopOffset(StatusBarHeight());
    UpdateTitle();
    UpdateRecentFileMenu();
    qApp->installEventFilter(this);

    m_pTaskRunner = new CTaskRunner(this);
    m_pTaskRunner->SetFreeze([this](bool bFrozen) { Freeze(bFrozen); });
    m_pRecovery = new CRecoveryService(*this);

    m_pIdleTimer = new QTimer(this);
    m_pIdleTimer->setInterval(IDLE_UPDATE_MS);
    connect(m_pIdleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    m_pIdleTimer->start();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    m_pIdleTimer->stop();
    m_services.Detach();
    if (GetOutputSink() == m_pOutputBar)
        SetOutputSink(nullptr);
    // The views and pages refer to the document and its elements: they go before it.
    for (CDlgPropertiesBar* pPage :
         {GetPage(PAGE_POLYGON), GetPage(PAGE_LABEL), GetPage(PAGE_CONDITION), GetPage(PAGE_EVENT),
          GetPage(PAGE_SIMULATION)})
        pPage->SetElement(nullptr);
    // The lists of findings read the document too.
    m_pNetDesignView->removeEventFilter(m_pStructureList);
    delete m_pPropertyList;
    delete m_pStructureList;
    for (CDiagramView*& pView : m_arrViews) {
        delete pView;
        pView = nullptr;
    }
    m_pNetDesignView = nullptr;
}

void CMainFrame::CreateOutputBar() {
    m_pOutputBar = new COutputBar(this);
    m_pOutputBar->setObjectName(QStringLiteral("OutputBar"));
    addDockWidget(Qt::BottomDockWidgetArea, m_pOutputBar);
    m_pOutputBar->hide();
    connect(m_pOutputBar, &COutputBar::CommandRequested, this, &CMainFrame::OnCommand);
    connect(m_pOutputBar, &COutputBar::LineActivated, this, &CMainFrame::OnOutputLineActivated);
    SetOutputSink(m_pOutputBar);
    m_pNavigator = new CNavigatorBar([this] { return GetActiveView(); }, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pNavigator);
    m_pNavigator->hide();
}

void CMainFrame::CreatePages() {
    m_pBarCondition = new CDlgPropertiesConditionBar(this);
    m_pBarEvent = new CDlgPropertiesEventBar(this);
    m_pBarPolygon = new CDlgPropertiesPolygonBar(this);
    m_pBarLabel = new CDlgPropertiesLabelBar(this);
    m_pBarSimulation = new CDlgPropertiesSimulationBar(this);
    for (CDlgPropertiesBar* pPage : {static_cast<CDlgPropertiesBar*>(m_pBarCondition),
                                     static_cast<CDlgPropertiesBar*>(m_pBarEvent),
                                     static_cast<CDlgPropertiesBar*>(m_pBarPolygon),
                                     static_cast<CDlgPropertiesBar*>(m_pBarLabel),
                                     static_cast<CDlgPropertiesBar*>(m_pBarSimulation)}) {
        // The pages float beside the view and never dock.
        pPage->setAllowedAreas(Qt::NoDockWidgetArea);
        pPage->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
        addDockWidget(Qt::RightDockWidgetArea, pPage);
        pPage->setFloating(true);
        pPage->hide();
        ConnectPage(pPage);
    }
    connect(m_pBarSimulation, &CDlgPropertiesSimulationBar::SimulationCommand, this,
            [this](int nId) {
                if (CDiagramView* pView = GetActiveView())
                    pView->OnCommand(nId);
            });
    connect(m_pBarSimulation, &CDlgPropertiesSimulationBar::SimulationSpeed, this,
            [this](int nMilliseconds) {
                // Posted, so the view acts after the page's own handler has returned.
                QPointer<CDiagramView> pView = GetActiveView();
                QMetaObject::invokeMethod(
                    this,
                    [pView, nMilliseconds] {
                        if (pView)
                            pView->OnSimulationSpeed(nMilliseconds);
                    },
                    Qt::QueuedConnection);
            });
}

void CMainFrame::ConnectPage(CDlgPropertiesBar* pPage) {
    // A page's change is an edit from the moment the page starts it until the view has
    // measured and drawn what changed.
    pPage->SetChangeApplier([this](CPNElement* pElement, int nMergeKey, const std::string& strEdit,
                                   const std::function<void()>& change) {
        m_doc.History().Begin(strEdit, nMergeKey);
        ++m_nPageEdits;
        m_doc.ChangeElement(pElement, change);
    });
    connect(pPage, &CDlgPropertiesBar::PropertyChanged, this, [this](int nWhat) {
        QPointer<CDiagramView> pView = GetActiveView();
        QMetaObject::invokeMethod(
            this,
            [this, pView, nWhat] {
                if (pView)
                    pView->OnPropertyChanged(nWhat);
                for (; m_nPageEdits > 0; --m_nPageEdits)
                    m_doc.History().End();
                UpdateCommandUI();
            },
            Qt::QueuedConnection);
    });
}

void CMainFrame::showEvent(QShowEvent* pEvent) {
    QMainWindow::showEvent(pEvent);
}

QPoint CMainFrame::DefaultPagePlace(QSize sizePage) const {
    // The top-right corner of the view area, inside the main window, clear of the
    // view's scroll bar.
    const QWidget* pArea = centralWidget() ? centralWidget() : this;
    const int nScroll = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QPoint topRight = pArea->mapToGlobal(QPoint(pArea->width(), 0));
    return {topRight.x() - nScroll - PAGE_MARGIN - sizePage.width(), topRight.y() + PAGE_MARGIN};
}

// --- The views. ---

CDiagramView* CMainFrame::GetActiveView() const {
    return m_arrViews[m_nActiveView];
}

void CMainFrame::SwitchView(int nView) {
    if (nView < VIEW_NET_DESIGN || nView > VIEW_OCCURRENCE_NET)
        return;
    if (!m_arrViews[nView] && !CreateView(nView))
        return;
    m_bSwitched = true;
    CloseStartPage();
    if (nView == m_nActiveView)
        return;
    CDiagramView* pOld = m_arrViews[m_nActiveView];
    CDiagramView* pNew = m_arrViews[nView];
    // The central widget changes hands without deleting the old view.
    takeCentralWidget();
    setCentralWidget(pNew);
    pNew->show();
    pOld->hide();
    m_nActiveView = nView;
    ReapplyOutputSize();
}

bool CMainFrame::CreateView(int nView) {
    CDiagramView* pView = nullptr;
    if (nView == VIEW_CASE_GRAPH) {
        auto* pCaseGraph = new CZerinCaseGraphView(m_doc, *this, this);
        pCaseGraph->setObjectName(QStringLiteral("CaseGraphView"));
        const auto [nCases, nSteps] = OverviewLimits();
        pCaseGraph->SetOverviewLimits(nCases, nSteps);
        pCaseGraph->SetSmoothDialog([this](CSmoothCaseGraphSession& session) {
            CDlgSmoothCaseGraph dialog(session, this);
            return m_pPrompt->RunDialog(dialog) == QDialog::Accepted;
        });
        pView = pCaseGraph;
    } else if (nView == VIEW_OCCURRENCE_NET) {
        pView = new CZerinOccurrenceNetView(m_doc, *this, this);
        pView->setObjectName(QStringLiteral("OccurrenceNetView"));
    } else {
        return false;
    }
    pView->hide();
    m_arrViews[nView] = pView;
    pView->OnInitialUpdate();
    return true;
}

std::pair<int, int> CMainFrame::OverviewLimits() const {
    QSettings settings;
    return {
        settings
            .value(QStringLiteral("CaseGraph/OverviewCases"), CZerinCaseGraphView::kOverviewCases)
            .toInt(),
        settings
            .value(QStringLiteral("CaseGraph/OverviewSteps"), CZerinCaseGraphView::kOverviewSteps)
            .toInt()};
}

void CMainFrame::OnOverviewLimits() {
    CDlgOverviewLimits dialog(this);
    std::tie(dialog.m_nCases, dialog.m_nSteps) = OverviewLimits();
    if (m_pPrompt->RunDialog(dialog) != QDialog::Accepted)
        return;
    QSettings settings;
    settings.setValue(QStringLiteral("CaseGraph/OverviewCases"), dialog.m_nCases);
    settings.setValue(QStringLiteral("CaseGraph/OverviewSteps"), dialog.m_nSteps);
    if (auto* pView = dynamic_cast<CZerinCaseGraphView*>(m_arrViews[VIEW_CASE_GRAPH])) {
        pView->SetOverviewLimits(dialog.m_nCases, dialog.m_nSteps);
        if (IsViewActive(VIEW_CASE_GRAPH))
            pView->Refresh();
    }
}

void CMainFrame::OnGoToCase() {
    if (!m_doc.Record().caseGraphValid)
        return;
    QStringList conditions;
    for (const CPNElement* e : m_doc.NetDesign().m_listElements)
        if (auto* c = dynamic_cast<const CPNCondition*>(e); c && c->m_pLabel)
            conditions.append(QString::fromStdString(c->m_pLabel->m_strText));
    conditions.sort(Qt::CaseInsensitive);
    const auto names = [](const QString& text) {
        std::vector<std::string> list;
        for (const QString& name :
             text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts))
            list.push_back(name.toStdString());
        return list;
    };
    // Asked again, with what was typed, until a case is found or the user gives up.
    CZerinCaseGraphView* pView = nullptr;
    for (;;) {
        CDlgGoToCase dialog(conditions, this);
        dialog.m_strCase = m_strGoToCase;
        dialog.m_strWanted = m_strGoToWanted;
        dialog.m_strUnwanted = m_strGoToUnwanted;
        dialog.m_nRadius = m_nGoToRadius;
        if (m_pPrompt->RunDialog(dialog) != QDialog::Accepted)
            return;
        m_strGoToCase = dialog.m_strCase;
        m_strGoToWanted = dialog.m_strWanted;
        m_strGoToUnwanted = dialog.m_strUnwanted;
        m_nGoToRadius = dialog.m_nRadius;
        ShowCaseGraph();
        pView = dynamic_cast<CZerinCaseGraphView*>(m_arrViews[VIEW_CASE_GRAPH]);
        if (!pView)
            return;
        std::string error;
        if (pView->GoToCase(dialog.m_strCase.toStdString(), names(dialog.m_strWanted),
                            names(dialog.m_strUnwanted), dialog.m_nRadius, error))
            break;
        UpdateCommandUI();
        if (error.empty())
            return;
        m_pPrompt->Message(this, QMessageBox::Warning, QString::fromStdString(error),
                           QMessageBox::Ok);
    }
    // The case gone to is named where the user looks: the status bar and the output.
    const int nCentre = pView->GetNeighbourhoodCentre();
    const CCaseGraph& graph = m_doc.CaseGraph();
    if (nCentre >= 0 && static_cast<std::size_t>(nCentre) < graph.CaseCount()) {
        const CPNCase* pCase = graph.CaseAt(static_cast<std::size_t>(nCentre));
        const int nRadius = pView->GetNeighbourhoodRadius();
        const std::string strText =
            FormatString("Went to case %s %s, shown with the cases within %d %s of it.",
                         pCase->m_label.m_strText.c_str(), pCase->m_strConditions.c_str(), nRadius,
                         nRadius == 1 ? "step" : "steps");
        statusBar()->showMessage(QString::fromStdString(strText));
        ShowOutputWindow();
        WriteOutput(PANE_STANDARD, strText);
    }
    UpdateCommandUI();
}

void CMainFrame::EnterSimulation() {
    const CDocumentRecord& record = m_doc.Record();
    if (!record.netModified && record.caseGraphValid) {
        m_doc.Simulation().Enter();
        return;
    }
    // The simulation's own Cancel ends the computation and says so: the task ends
    // either way, and what it wrote is shown.
    RunTask("Enter Simulation Mode", [this](CWorkMonitor& monitor) {
        monitor.SetStage("Testing the net...");
        m_services.SetTaskMonitor(&monitor);
        m_doc.Simulation().Enter();
        m_services.SetTaskMonitor(nullptr);
        return true;
    });
}

void CMainFrame::UndoRedo(bool bUndo) {
    CEditHistory& history = m_doc.History();
    const CCaseGraph& graph = m_doc.CaseGraph();
    if (graph.StepCount() + graph.CaseCount() <=
        static_cast<std::size_t>(CZerinCaseGraphView::kProgressSteps)) {
        if (bUndo)
            history.Undo();
        else
            history.Redo();
        return;
    }
    const std::string strTitle =
        bUndo ? "Undo " + history.UndoText() : "Redo " + history.RedoText();
    RunTask(strTitle, [&](CWorkMonitor& monitor) {
        monitor.SetStage(strTitle + "...");
        if (!(bUndo ? history.Undo(monitor.Progress()) : history.Redo(monitor.Progress())))
            return false;
        if (!m_doc.Record().caseGraphLaidOut)
            return true;
        monitor.SetStage("Drawing the steps...");
        // Read whole: the edit is undone or redone and no longer to be stopped.
        graph.PrepareDrawing([progress = monitor.Progress()](std::size_t done, std::size_t total) {
            progress(done, total);
            return true;
        });
        return true;
    });
}

void CMainFrame::ShowCaseGraph() {
    if (IsViewActive(VIEW_CASE_GRAPH))
        return;
    // An automatic run stops first, as its stop button does.
    ViewCommand(Cmd::ID_SIM_STOP);
    SwitchView(VIEW_CASE_GRAPH);
    if (auto* pView = dynamic_cast<CZerinCaseGraphView*>(m_arrViews[VIEW_CASE_GRAPH]))
        pView->Refresh();
}

void CMainFrame::ShowOccurrenceNet() {
    if (IsViewActive(VIEW_OCCURRENCE_NET))
        return;
    ViewCommand(Cmd::ID_SIM_STOP);
    SwitchView(VIEW_OCCURRENCE_NET);
    if (auto* pView = dynamic_cast<CZerinOccurrenceNetView*>(m_arrViews[VIEW_OCCURRENCE_NET]))
        pView->Refresh();
}

std::optional<CCaseRun> CMainFrame::PathToCase(std::size_t nCase) const {
    const CCaseGraph& graph = m_doc.CaseGraph();
    CCaseEngine* engine = m_doc.Simulation().Engine();
    if (!engine || nCase >= graph.CaseCount())
        return std::nullopt;
    return engine->PathTo(graph.CaseConditions(nCase));
}

bool CMainFrame::ShowCasePath(std::size_t nCase) {
    const std::optional<CCaseRun> path = PathToCase(nCase);
    if (!path)
        return false;
    for (const std::string& line : path->Describe())
        WriteOutput(PANE_ANALYSIS, line);
    ShowOutputPane(PANE_ANALYSIS);
    CCaseGraphEditor& editor = m_doc.CaseGraphEditor();
    editor.MarkPath(editor.PathElements(*path));
    if (CDiagramView* pView = m_arrViews[VIEW_CASE_GRAPH])
        pView->InvalidateAll();
    return path->found && path->IsForwardOnly();
}

void CMainFrame::ReplayCasePath(std::size_t nCase) {
    if (!m_doc.Simulation().IsActive())
        return;
    const std::optional<CCaseRun> path = PathToCase(nCase);
    if (!path || !path->found || !path->IsForwardOnly())
        return;
    std::vector<CSetEvents> steps;
    for (const CCaseRun::Step& step : path->steps)
        steps.push_back(step.events);
    ShowNetDesign();
    m_doc.Simulation().SetCase(m_doc.Simulation().InitialCase());
    m_doc.Simulation().RefreshCase();
    m_doc.Simulation().ShowCurrentCase();
    m_pNetDesignView->ReplaySteps(steps);
}

bool CMainFrame::IsViewActive(int nView) const {
    return m_nActiveView == nView;
}

// --- Dialogs. ---

bool CMainFrame::eventFilter(QObject* pObject, QEvent* pEvent) {
    // No dialog of the program cuts its title off.
    if (pEvent->type() == QEvent::Show)
        if (auto* pWidget = qobject_cast<QWidget*>(pObject);
            pWidget && pWidget->isWindow() && qobject_cast<const QDialog*>(pWidget))
            FitToTitle(*pWidget);
    return QMainWindow::eventFilter(pObject, pEvent);
}

// --- CViewHost. ---

void CMainFrame::SetStatusPosition(int x, int y) {
    m_pPositionPane->setText(QString::asprintf("P %d, %d", x, y));
}

void CMainFrame::SetStatusZoom(int nPercent) {
    m_pZoomPane->setText(QStringLiteral("%1 %").arg(nPercent));
}

CDlgPropertiesBar* CMainFrame::GetPage(int nKind) const {
    switch (nKind) {
    case PAGE_POLYGON:
        return m_pBarPolygon;
    case PAGE_LABEL:
        return m_pBarLabel;
    case PAGE_CONDITION:
        return m_pBarCondition;
    case PAGE_EVENT:
        return m_pBarEvent;
    case PAGE_SIMULATION:
        return m_pBarSimulation;
    default:
        return nullptr;
    }
}

void CMainFrame::HideCurrentPage() {
    if (!m_pCurrentPage)
        return;
    m_pCurrentPage->SetElement(nullptr);
    m_ptPageFloat = m_pCurrentPage->GetFloatingOrigin();
    m_bPageFloatSet = true;
    m_pCurrentPage->hide();
    m_pCurrentPage = nullptr;
    m_pCurrentElement = nullptr;
}

void CMainFrame::ShowPropertiesPage(int nKind, CPNElement* pElement) {
    if (nKind == PAGE_HIDE ||
        (nKind == PAGE_SIMULATION && m_bSwitched && !IsViewActive(VIEW_NET_DESIGN))) {
        HideCurrentPage();
        return;
    }
    CDlgPropertiesBar* pPage = GetPage(nKind);
    if (!pPage)
        return;
    pPage->SetElement(pElement);
    m_pCurrentElement = pElement;
    if (pPage == m_pCurrentPage)
        return;
    if (m_pCurrentPage && m_pCurrentPage->isFloating()) {
        m_ptPageFloat = m_pCurrentPage->GetFloatingOrigin();
        m_bPageFloatSet = true;
    }
    pPage->setFloating(true);
    pPage->adjustSize();
    // The first page, and a page whose remembered place lies on no screen, goes to the
    // view's top-right corner.
    if (!m_bPageFloatSet || !QGuiApplication::screenAt(m_ptPageFloat)) {
        m_ptPageFloat = DefaultPagePlace(pPage->frameGeometry().size());
        m_bPageFloatSet = true;
    }
    pPage->move(m_ptPageFloat);
    pPage->show();
    // A page wider than the place left for it at the screen's edge stays whole.
    const QPoint ptPlace = KeepOnScreen(m_ptPageFloat, pPage->frameGeometry().size());
    pPage->move(ptPlace);
    // Some window managers report a new window at the origin of its frame: the place is
    // given again once the page is mapped, or its drop-down lists open elsewhere.
    QPointer<CDlgPropertiesBar> pShown = pPage;
    QTimer::singleShot(PAGE_RESYNC_MS, this, [pShown, ptPlace] {
        if (pShown && pShown->isVisible() && pShown->pos() != ptPlace)
            pShown->move(ptPlace);
    });
    if (m_pCurrentPage) {
        m_pCurrentPage->SetElement(nullptr);
        m_pCurrentPage->hide();
    }
    m_pCurrentPage = pPage;
}

void CMainFrame::RefreshPropertiesPage() {
    if (m_pCurrentPage)
        m_pCurrentPage->SetElement(m_pCurrentElement);
}

void CMainFrame::HideOutputBarForPrinting() {
    if (!m_bOutputShown || m_pOutputBar->isHidden())
        return;
    m_bOutputHiddenForPrinting = true;
    m_pOutputBar->hide();
}

void CMainFrame::RestoreOutputBarAfterPrinting() {
    if (!std::exchange(m_bOutputHiddenForPrinting, false))
        return;
    m_pOutputBar->show();
    ReapplyOutputSize();
}

bool CMainFrame::RunTask(const std::string& title, const std::function<bool(CWorkMonitor&)>& work) {
    return m_pTaskRunner->Run(QString::fromStdString(title), work);
}

void CMainFrame::Freeze(bool bFrozen) {
    m_bFrozen = bFrozen;
    for (CDiagramView* pView : m_arrViews)
        if (pView)
            pView->Freeze(bFrozen);
    m_pNavigator->Freeze(bFrozen);
    if (bFrozen)
        return;
    m_services.ApplyPending();
    UpdateCommandUI();
}

// --- Services for the document. ---

void CMainFrame::EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep) {
    m_pBarSimulation->EnableSimulationButtons(bReset, bStart, bStop, bStep);
}

void CMainFrame::ShowOutputWindow() {
    m_pOutputBar->show();
    m_bOutputShown = true;
    ReapplyOutputSize();
}

void CMainFrame::ReapplyOutputSize() {
    if (m_bOutputShown && !m_pOutputBar->isHidden())
        resizeDocks({m_pOutputBar}, {m_pOutputBar->GetStoredHeight()}, Qt::Vertical);
}

void CMainFrame::ShowOutputBar() {
    ShowOutputWindow();
    m_pOutputBar->ResetContent(true);
    m_pOutputBar->SelectPane(PANE_STANDARD);
}

void CMainFrame::ToggleOutputWindow() {
    if (m_bOutputShown && !m_pOutputBar->isHidden())
        m_pOutputBar->hide();
    else
        ShowOutputWindow();
}

void CMainFrame::ClearOutputPane(int nPane) {
    m_pOutputBar->ClearPane(nPane);
}

void CMainFrame::ResetForNewDocument() {
    if (!IsViewActive(VIEW_NET_DESIGN))
        ShowNetDesign();
    if (m_bOutputShown) {
        m_pOutputBar->SelectPane(PANE_STANDARD);
        for (int i = 0; i < OUTPUT_PANES; ++i)
            m_pOutputBar->ClearPane(i);
    }
}

void CMainFrame::OnOutputLineActivated(int nPane, const QString& strLine) {
    if (nPane != PANE_STANDARD)
        return;
    const std::vector<std::string> names = CNameList::NamesInErrorLine(strLine.toStdString());
    if (names.empty())
        return;
    const std::set<std::string> wanted(names.begin(), names.end());
    ShowNetDesign();
    CDiagramView* pView = m_arrViews[VIEW_NET_DESIGN];
    pView->InvalidateLogical(m_doc.Selection().Clear());
    const CPNElement* pFirst = nullptr;
    for (CPNElement* e : m_doc.NetDesign().m_listElements)
        if (wanted.count(CNameList::NameOf(e)) != 0) {
            m_doc.Selection().Select(e, true);
            pView->InvalidateLogical(e->GetBoundRect());
            if (!pFirst)
                pFirst = e;
        }
    if (pFirst)
        pView->CenterOn(pFirst->m_ptPos);
    UpdateCommandUI();
}

void CMainFrame::ShowNetDesign() {
    if (IsViewActive(VIEW_NET_DESIGN))
        return;
    SwitchView(VIEW_NET_DESIGN);
    if (m_doc.Simulation().IsActive()) {
        m_doc.Simulation().RefreshCase();
        ShowPropertiesPage(PAGE_SIMULATION, nullptr);
    }
}

void CMainFrame::UpdateTitle() {
    // "name - title", the title being the first part of the document string.
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + QStringLiteral("[*] - Zerin"));
    setWindowModified(m_doc.IsModified());
}

void CMainFrame::SetPrompt(CUserPrompt* pPrompt) {
    m_pPrompt = pPrompt ? pPrompt : &m_defaultPrompt;
}

// --- Bars. ---

int CMainFrame::StatusBarHeight() const {
    return statusBar()->isHidden() ? 0 : statusBar()->sizeHint().height();
}

void CMainFrame::ToggleStatusBar() {
    statusBar()->setVisible(statusBar()->isHidden());
    m_pOutputBar->SetTopOffset(StatusBarHeight());
    ReapplyOutputSize();
}

void CMainFrame::TogglePropertiesBar() {
    if (!m_pCurrentPage)
        return;
    m_pCurrentPage->setVisible(m_pCurrentPage->isHidden());
}

void CMainFrame::FullScreenOn() {
    if (m_bFullScreen)
        return;
    for (QToolBar* pBar : {m_pBarStandard, m_pBarTools, m_pBarControls})
        pBar->hide();
    m_bStatusBarWasVisible = !statusBar()->isHidden();
    statusBar()->hide();
    // The client area covers the whole screen: no menu bar either.
    m_bMenuBarWasVisible = !menuBar()->isHidden();
    menuBar()->hide();
    m_prevState = windowState();
    m_prevGeometry = saveGeometry();
    showFullScreen();
    const QScreen* pScreen = screen() ? screen() : QApplication::primaryScreen();
    const QPoint ptOrigin = pScreen ? pScreen->geometry().topLeft() : QPoint();
    m_pBarFullScreen->move(ptOrigin + QPoint(10, 10));
    m_pBarFullScreen->show();
    m_bFullScreen = true;
    if (m_bOutputShown) {
        ReapplyOutputSize();
        m_pOutputBar->SetTopOffset(0);
    }
}

void CMainFrame::FullScreenOff() {
    if (!m_bFullScreen)
        return;
    m_bFullScreen = false;
    for (QToolBar* pBar : {m_pBarStandard, m_pBarTools, m_pBarControls})
        pBar->show();
    if (m_bStatusBarWasVisible)
        statusBar()->show();
    if (m_bMenuBarWasVisible)
        menuBar()->show();
    m_pBarFullScreen->hide();
    if (m_prevState & Qt::WindowMaximized) {
        showMaximized();
    } else {
        showNormal();
        restoreGeometry(m_prevGeometry);
    }
    if (m_bOutputShown)
        m_pOutputBar->SetTopOffset(StatusBarHeight());
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    // Closing inside the loop of a run would leave the loop going with no window: the
    // run stops first and the window closes once the loop has ended.
    if (StopRunning()) {
        pEvent->ignore();
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    if (!SaveModified()) {
        pEvent->ignore();
        return;
    }
    HideCurrentPage();
    // An orderly end: nothing is left to recover.
    m_pRecovery->Close();
    pEvent->accept();
}
