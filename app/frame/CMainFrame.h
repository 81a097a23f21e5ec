#pragma once

#include "engines/CCaseRun.h"

#include "app/frame/CCommandTable.h"
#include "app/frame/CGuiFrameServices.h"
#include "app/frame/CUserPrompt.h"
#include "document/CZerinDoc.h"
#include "views/CCommandState.h"
#include "views/CViewHost.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include <array>
#include <map>
#include <memory>
#include <utility>

class CDiagramView;
class CNavigatorBar;
class CDlgPropertiesBar;
class CDlgPropertiesConditionBar;
class CDlgPropertiesEventBar;
class CDlgPropertiesLabelBar;
class CDlgPropertiesPolygonBar;
class CDlgPropertiesSimulationBar;
class CFrameFindingsHost;
class CPropertyListBar;
class CQuestion;
class CStartPage;
class CStructureListBar;
class COutputBar;
class CRecoveryService;
class CTaskRunner;
class CZerinNetDesignView;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The one main window: menus, the four toolbars, the status bar, the five properties
// pages, the output bar and the diagram views. It owns the document and the window
// services the document talks to. A command goes first to the active view, then to
// the document, then to the frame itself; so does its update rule.
class CMainFrame : public QMainWindow, public CViewHost {
    Q_OBJECT

public:
    static constexpr int VIEW_NET_DESIGN = 0;
    static constexpr int VIEW_CASE_GRAPH = 1;
    static constexpr int VIEW_OCCURRENCE_NET = 2;

    explicit CMainFrame(QWidget* pParent = nullptr);
    ~CMainFrame() override;

    CZerinDoc& GetDocument() { return m_doc; }
    CGuiFrameServices& GetFrameServices() { return m_services; }
    CDiagramView* GetActiveView() const;
    CZerinNetDesignView* GetNetDesignView() const { return m_pNetDesignView; }
    COutputBar& GetOutputBar() const { return *m_pOutputBar; }
    CNavigatorBar& GetNavigator() const { return *m_pNavigator; }
    // The page of a kind (0 polygon, 1 label, 2 condition, 3 event, 5 simulation).
    CDlgPropertiesBar* GetPage(int nKind) const;
    CDlgPropertiesBar* GetCurrentPage() const { return m_pCurrentPage; }
    CDlgPropertiesSimulationBar& GetSimulationPage() const { return *m_pBarSimulation; }
    // 0 Standard, 1 Tools, 2 Controls, 3 Full Screen.
    QToolBar* GetToolBar(int nIndex) const;
    QAction* GetAction(int nId) const;
    const QList<QMenu*>& GetMenus() const { return m_listMenus; }
    bool IsOutputShown() const { return m_bOutputShown; }
    bool IsFullScreen() const { return m_bFullScreen; }
    // What the View menu's checks show.
    bool IsStatusBarVisible() const;
    bool IsPageVisible() const;
    bool IsOutputVisible() const;
    bool IsOutputPaneEmpty() const;

    // The message boxes and dialogs go through the prompt (null: Qt's own).
    void SetPrompt(CUserPrompt* pPrompt);
    CUserPrompt& GetPrompt() const { return *m_pPrompt; }

    // --- CViewHost ---
    void SetStatusPosition(int x, int y) override;
    void SetStatusZoom(int nPercent) override;
    void ShowPropertiesPage(int nKind, CPNElement* pElement) override;
    void RefreshPropertiesPage() override;
    void HideOutputBarForPrinting() override;
    void RestoreOutputBarAfterPrinting() override;
    // The work runs on a worker under the task runner, the window frozen meanwhile.
    bool RunTask(const std::string& title, const std::function<bool(CWorkMonitor&)>& work) override;
    CTaskRunner& GetTaskRunner() const { return *m_pTaskRunner; }
    // The unsaved document kept aside, and what an earlier run left.
    CRecoveryService& GetRecovery() const { return *m_pRecovery; }
    // While a task works on the document the window reads nothing of it: the views and
    // the navigator show what they showed, the commands' states wait, and what the
    // document asked of the window is done once thawed.
    void Freeze(bool bFrozen);
    bool IsFrozen() const { return m_bFrozen; }

    // --- Services for the document. ---
    void EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep);
    // Shows the output bar, empties panes 0 to 2 and brings pane 0 to the front.
    void ShowOutputBar();
    void ClearOutputPane(int nPane);
    // The document was emptied: back to the net design view, the output bar emptied.
    void ResetForNewDocument();
    void SwitchView(int nView);
    // The view of the index, null before its first use.
    CDiagramView* GetView(int nView) const { return m_arrViews.at(nView); }
    bool IsViewActive(int nView) const;
    // The window title follows the document's title and modified flag.
    void UpdateTitle();

    // --- Commands (one row each in the command table). ---
    void OnCommand(int nId);
    CCommandState GetCommandState(int nId);
    // The state the rules of the command table look at.
    CCommandContext CommandContext();
    // The active view takes a command of its own; false when it does not.
    bool ViewCommand(int nId);
    void ComplementWithoutView();
    void ShowAbout();
    void HideOutputWindow();
    void ResetOutputPane();
    void ToggleOutputWindow();
    // "Overview Limits...": asks for them, keeps them in the settings and gives them to
    // the case graph view.
    void OnOverviewLimits();
    // "Go to Case...": asks for the case and the steps around it and shows them in the
    // case graph view, the case named in the status bar and the output; a case not
    // found is said and asked for again with what was typed.
    void OnGoToCase();
    // "Enter Simulation Mode": where the net is tested anew, as a task whose progress
    // is the case graph's counts (Cancel stops the computation, and the net stays
    // untested).
    void EnterSimulation();
    // Edit > Undo and Redo: of a document with a large case graph as a task, the edit
    // taken back in its parts (Cancel leaves it as it was) and what the repaint needs
    // read before the window shows it.
    void UndoRedo(bool bUndo);
    // The limits the settings keep, the view's own by default.
    std::pair<int, int> OverviewLimits() const;
    void ToggleStatusBar();
    void TogglePropertiesBar();
    void ShowNetDesign();
    void ShowCaseGraph();
    void ShowOccurrenceNet();
    // The shortest way from the initial case to the case of the node index: written
    // to the analysis pane and marked in the case graph. True when it runs forward
    // only.
    bool ShowCasePath(std::size_t nCase);
    // The shortest way from the initial case to the case graph's case, by the engine.
    std::optional<CCaseRun> PathToCase(std::size_t nCase) const;
    // Sets the system to the initial case and fires the forward path to the case in
    // the net design view, animated.
    void ReplayCasePath(std::size_t nCase);
    void OpenRecentFile(int nIndex);

    // --- The lists of findings (app/frame/CMainFrameFindings.cpp). ---
    CPropertyListBar& GetPropertyList() const { return *m_pPropertyList; }
    CStructureListBar& GetStructureList() const { return *m_pStructureList; }
    // Analysis > "Properties" shows or hides the property list.
    void TogglePropertyList();
    bool IsPropertyListVisible() const;
    // A question of the Analysis menu: the structure's lists fill their dock as well, a
    // search asks for its conditions first, and a way through the case class an answer
    // gives is marked in the case graph.
    void AskQuestion(const CQuestion& question);
    // Runs the update rule of every action (the idle update).
    void UpdateCommandUI();

    void FullScreenOn();
    void FullScreenOff();

    // --- Files. ---
    void OnFileNew();
    // Asks to save, then leaves an empty untitled document.
    void OnFileClose();
    // The start page in place of the view (the program started without a file); any
    // choice or command puts the view back.
    void ShowStartPage();
    void CloseStartPage();
    bool IsStartPageShown() const { return m_pStartPage != nullptr; }
    // The example net as a new document of its name, not yet saved anywhere.
    bool OpenExample(const QString& strName);
    // Help > Examples: one of the examples, chosen in a list, as a new document.
    void OnHelpExamples();
    // A double click on an output line: the net's elements an error line of its test
    // names are selected in the net design.
    void OnOutputLineActivated(int nPane, const QString& strLine);
    void OnFileOpen();
    bool OpenDocumentFile(const QString& strPath);
    bool OnFileSave();
    bool OnFileSaveAs();
    // A PNML net as a new document; a file that cannot be taken leaves the current one.
    void OnFileImportPnml();
    // An export command (app/frame/ExportCommands): asks where, proposing the document's
    // folder and the format's name, and writes; a failure is shown.
    void OnExport(int nId);
    // Asks whether unsaved changes are saved; false when the user cancels.
    bool SaveModified();
    // Stops the automatic run and the step animation of the net design view at once;
    // true when one was under way, and the caller acts again once its loop has ended.
    bool StopRunning();
    QStringList GetRecentFiles() const;

    // The views, the properties page and the title start again from the document (a
    // new, opened or restored one).
    void InitialUpdate();
    // Every view at 100 %, scrolled to its top-left corner (a new or opened document).
    void StartViewsAtOrigin();

protected:
    // Fits every dialog of the program to its title when it shows.
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void CreatePages();
    void CreateOutputBar();
    void CreateFindingsBars();
    void ConnectPage(CDlgPropertiesBar* pPage);
    QAction* AddAction(const CCommandRow& row);
    CCommandState StateIn(const CCommandContext& context, int nId);
    void UpdateActions(const QList<QAction*>& actions);

    void HideCurrentPage();
    // Where a page of the size goes when it has no place of its own yet.
    QPoint DefaultPagePlace(QSize sizePage) const;
    void ShowOutputWindow();
    void ReapplyOutputSize();
    int StatusBarHeight() const;

    // Creates the case graph or occurrence net view on its first use.
    bool CreateView(int nView);
    bool DoSave(const QString& strPath);
    void ShowFileError(const std::string& strError);
    void AddToRecentFiles(const QString& strPath);
    void RemoveFromRecentFiles(const QString& strPath);
    void SetRecentFiles(const QStringList& list);
    void UpdateRecentFileMenu();

    // The services are made before the document that keeps a reference to them.
    CGuiFrameServices m_services;
    CZerinDoc m_doc;
    CUserPrompt m_defaultPrompt;
    CUserPrompt* m_pPrompt = &m_defaultPrompt;

    CDlgPropertiesConditionBar* m_pBarCondition = nullptr;
    CDlgPropertiesEventBar* m_pBarEvent = nullptr;
    CDlgPropertiesPolygonBar* m_pBarPolygon = nullptr;
    CDlgPropertiesLabelBar* m_pBarLabel = nullptr;
    CDlgPropertiesSimulationBar* m_pBarSimulation = nullptr;
    COutputBar* m_pOutputBar = nullptr;
    CNavigatorBar* m_pNavigator = nullptr;
    // What "Go to Case..." was last given.
    QString m_strGoToCase;
    QString m_strGoToWanted;
    QString m_strGoToUnwanted;
    int m_nGoToRadius = 1;
    QLabel* m_pPositionPane = nullptr;
    QLabel* m_pZoomPane = nullptr;
    // Edits a properties page opened that the view's update has still to close.
    int m_nPageEdits = 0;
    QToolBar* m_pBarStandard = nullptr;
    QToolBar* m_pBarTools = nullptr;
    QToolBar* m_pBarControls = nullptr;
    QToolBar* m_pBarFullScreen = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentSeparator = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    CTaskRunner* m_pTaskRunner = nullptr;
    CRecoveryService* m_pRecovery = nullptr;
    bool m_bFrozen = false;

    std::map<int, QAction*> m_mapActions;
    QList<QMenu*> m_listMenus;
    std::array<QAction*, 4> m_recentActions{};

    std::unique_ptr<CFrameFindingsHost> m_pFindingsHost;
    CPropertyListBar* m_pPropertyList = nullptr;
    CStructureListBar* m_pStructureList = nullptr;
    CStartPage* m_pStartPage = nullptr;
    CDlgPropertiesBar* m_pCurrentPage = nullptr;
    CPNElement* m_pCurrentElement = nullptr;
    CZerinNetDesignView* m_pNetDesignView = nullptr;
    std::array<CDiagramView*, 3> m_arrViews{};
    int m_nActiveView = VIEW_NET_DESIGN;
    bool m_bSwitched = false;
    QPoint m_ptPageFloat;
    bool m_bPageFloatSet = false;
    bool m_bOutputShown = false;
    // The output bar was visible when printing hid it.
    bool m_bOutputHiddenForPrinting = false;
    bool m_bFullScreen = false;
    bool m_bStatusBarWasVisible = true;
    bool m_bMenuBarWasVisible = true;
    Qt::WindowStates m_prevState;
    QByteArray m_prevGeometry;
};
