#include "app/frame/CMainFrame.h"

#include "app/frame/CommandIds.h"
#include "app/frame/ToolBarIcons.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

// One menu item; id 0 is a separator, RECENT_FILES the place of the recent-file list.
struct MenuItem {
    int nId;
    const char* szText;
    const char* szPrompt;
};

constexpr int SEPARATOR = 0;
constexpr int RECENT_FILE_LIST = -1;

struct MenuDef {
    const char* szTitle;
    std::initializer_list<MenuItem> items;
};

using namespace Cmd;

const MenuDef kMenus[] = {
    {"&File",
     {{ID_FILE_NEW, "&New\tCtrl+N", "Create a new document\nNew"},
      {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
      {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave"},
      {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As"},
      {SEPARATOR, nullptr, nullptr},
      {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint"},
      {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview"},
      {ID_FILE_PRINT_SETUP, "P&rint Setup...",
       "Change the printer and printing options\nPrint Setup"},
      {SEPARATOR, nullptr, nullptr},
      {RECENT_FILE_LIST, nullptr, nullptr},
      {SEPARATOR, nullptr, nullptr},
      {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit"}}},
    {"&Edit",
     {{ID_EDIT_DELETE, "&Delete\tDel", "Delete the selection\nDelete"},
      {SEPARATOR, nullptr, nullptr},
      {ID_PLACE_FRONT, "Place To Front",
       "Place the selection in front of the others\nPlace To Front"},
      {ID_PLACE_BACK, "Place To Back", "Place the selection behind the others\nPlace To Back"}}},
    {"&View",
     {{ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
      {ID_VIEW_PROPERTIES_BAR, "Properties Bar", "Show or hide the properties bar\nProperties Bar"},
      {ID_VIEW_GRID, "Grid Points", "Show or hide the grid points\nGrid Points"},
      {ID_VIEW_RULER, "Ruler", "Show or hide the rulers\nRuler"},
      {ID_VIEW_OUTPUT, "Output Window", "Show or hide the output window\nOutput Window"},
      {SEPARATOR, nullptr, nullptr},
      {ID_VIEW_FULL_SCREEN, "Full Screen", "Show the diagram on the whole screen\nFull Screen"}}},
    {"Tools",
     {{ID_TOOL_SELECT, "Select", "Set to select mode\nSelect mode"},
      {ID_TOOL_CONDITION, "Condition", "Set to draw conditions mode\nCondition"},
      {ID_TOOL_EVENT, "Event", "Set to draw events mode\nEvent"},
      {ID_TOOL_EDGE, "Edge", "Set to draw edges mode\nEdges"},
      {ID_TOOL_POLYGON, "Polygon", "Set to draw polygons mode\nPolygon"},
      {ID_TOOL_LABEL, "Label", "Set to draw text mode\nText"},
      {ID_TOOL_TOKEN, "Token", "Set to flip token mode\nFlip token"}}},
    {"Net Design",
     {{ID_SHOW_NET_DESIGN, "Show Net Design", "Show the net design\nShow Net Design"},
      {SEPARATOR, nullptr, nullptr},
      {ID_NET_COMPLEMENT, "Do Net Complement", "Add the complement conditions\nDo Net Complement"},
      {ID_NET_VIEW_PROPERTIES, "View Properties",
       "Change the size of the net design\nView Properties"},
      {SEPARATOR, nullptr, nullptr},
      {ID_NET_EXPORT_XML, "Export To XML", "Write the net design as XML\nExport To XML"},
      {ID_NET_EXPORT_EMF, "Export To EMF", "Write the net design as a picture\nExport To EMF"},
      {ID_NET_EXPORT_SVG, "Export To SVG", "Write the net design as an SVG picture\nExport To SVG"},
      {ID_NET_EXPORT_PDF, "Export To PDF", "Write the net design as a PDF page\nExport To PDF"},
      {ID_NET_EXPORT_PNG, "Export To PNG", "Write the net design as a PNG image\nExport To PNG"}}},
    {"Simulation",
     {{ID_SHOW_SIMULATING_SYSTEM, "Show Simulating System",
       "Show the simulating net\nShow Simulating System"},
      {SEPARATOR, nullptr, nullptr},
      {ID_ENTER_SIMULATION, "Enter Simulation Mode",
       "Test the net and start the token game\nEnter Simulation Mode"},
      {ID_LEAVE_SIMULATION, "Leave Simulation Mode", "Stop the token game\nLeave Simulation Mode"},
      {SEPARATOR, nullptr, nullptr},
      {ID_EXECUTE_STEP, "Execute Step", "Fire the selected events\nExecute Step"},
      {ID_RESET_SYSTEM, "Reset System", "Return to the initial case\nReset System"},
      {SEPARATOR, nullptr, nullptr},
      {ID_SET_BREAKPOINTS, "Set Breakpoints",
       "Choose the cases an automatic run stops at\nSet Breakpoints"}}},
    {"Analysis",
     {{ID_WRITE_CASE_CLASS, "Write Out Case Class",
       "Write the case class to the output window\nWrite Out Case Class"},
      {ID_EXPORT_CASE_CLASS_XML, "Export Case Class To XML",
       "Write the case class as XML\nExport Case Class To XML"},
      {ID_CASE_CLASS_VERIFICATION, "Case Class Verification",
       "Check cases against the case class\nCase Class Verification"},
      {ID_COMPUTE_ALL_REACHABLE, "Compute All Reachable Cases",
       "Compute the cases reachable forwards and backwards\nCompute All Reachable Cases"}}},
    {"Case Graph",
     {{ID_SHOW_CASE_GRAPH, "Show Case Graph", "Show the case graph\nShow Case Graph"},
      {SEPARATOR, nullptr, nullptr},
      {ID_HIGHLIGHT_REACHABLE, "Highlight Reachable Cases",
       "Mark the cases reachable from the selected one\nHighlight Reachable Cases"},
      {ID_SMOOTH_CASE_GRAPH, "Smooth Case Graph",
       "Lay out the case graph again\nSmooth Case Graph"},
      {ID_CASE_GRAPH_VIEW_PROPERTIES, "View Properties",
       "Change the size of the case graph\nView Properties"},
      {SEPARATOR, nullptr, nullptr},
      {ID_CASE_GRAPH_EXPORT_XML, "Export To XML", "Write the case graph as XML\nExport To XML"},
      {ID_CASE_GRAPH_EXPORT_EMF, "Export To EMF",
       "Write the case graph as a picture\nExport To EMF"},
      {ID_CASE_GRAPH_EXPORT_SVG, "Export To SVG",
       "Write the case graph as an SVG picture\nExport To SVG"},
      {ID_CASE_GRAPH_EXPORT_PDF, "Export To PDF",
       "Write the case graph as a PDF page\nExport To PDF"},
      {ID_CASE_GRAPH_EXPORT_PNG, "Export To PNG",
       "Write the case graph as a PNG image\nExport To PNG"}}},
    {"Occurrence Net",
     {{ID_SHOW_OCCURRENCE_NET, "Show Occurrence Net",
       "Show the occurrence net\nShow Occurrence Net"},
      {SEPARATOR, nullptr, nullptr},
      {ID_OCCURRENCE_NET_VIEW_PROPERTIES, "View Properties",
       "Change the size of the occurrence net\nView Properties"},
      {SEPARATOR, nullptr, nullptr},
      {ID_OCCURRENCE_NET_EXPORT_XML, "Export To XML",
       "Write the occurrence net as XML\nExport To XML"},
      {ID_OCCURRENCE_NET_EXPORT_EMF, "Export To EMF",
       "Write the occurrence net as a picture\nExport To EMF"},
      {ID_OCCURRENCE_NET_EXPORT_SVG, "Export To SVG",
       "Write the occurrence net as an SVG picture\nExport To SVG"},
      {ID_OCCURRENCE_NET_EXPORT_PDF, "Export To PDF",
       "Write the occurrence net as a PDF page\nExport To PDF"},
      {ID_OCCURRENCE_NET_EXPORT_PNG, "Export To PNG",
       "Write the occurrence net as a PNG image\nExport To PNG"}}},
    {"&Help",
     {{ID_APP_ABOUT, "&About Zerin...", "Display program information and version\nAbout"}}},
};

// The commands that carry a check mark at times.
const int kCheckable[] = {ID_VIEW_STATUS_BAR, ID_VIEW_PROPERTIES_BAR, ID_VIEW_GRID,
                          ID_VIEW_RULER,      ID_VIEW_OUTPUT,         ID_VIEW_FULL_SCREEN,
                          ID_TOOL_SELECT,     ID_TOOL_CONDITION,      ID_TOOL_EVENT,
                          ID_TOOL_EDGE,       ID_TOOL_POLYGON,        ID_TOOL_LABEL,
                          ID_TOOL_TOKEN,      ID_SHOW_NET_DESIGN,     ID_SHOW_SIMULATING_SYSTEM,
                          ID_SHOW_CASE_GRAPH, ID_SHOW_OCCURRENCE_NET, ID_HIGHLIGHT_REACHABLE};

// The accelerators. "Del" in the Edit menu only names the key: the view deletes on its
// release.
QKeySequence ShortcutOf(int nId) {
    switch (nId) {
    case ID_FILE_NEW:
        return QKeySequence(Qt::CTRL | Qt::Key_N);
    case ID_FILE_OPEN:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case ID_FILE_SAVE:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case ID_FILE_PRINT:
        return QKeySequence(Qt::CTRL | Qt::Key_P);
    case ID_LEAVE_FULL_SCREEN:
        return QKeySequence(Qt::Key_Escape);
    default:
        return QKeySequence();
    }
}

} // namespace

QAction* CMainFrame::AddAction(int nId, const QString& strText, const QString& strPrompt) {
    auto* pAction = new QAction(strText, this);
    pAction->setData(nId);
    pAction->setShortcut(ShortcutOf(nId));
    // The prompt's first line goes to the status bar, the part after the line break
    // is the tool tip.
    const QStringList parts = strPrompt.split(QLatin1Char('\n'));
    pAction->setStatusTip(parts.value(0));
    if (parts.size() > 1)
        pAction->setToolTip(parts.value(1));
    pAction->setIcon(ToolBarIcon(nId));
    pAction->setIconVisibleInMenu(false);
    connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
    m_mapActions.emplace(nId, pAction);
    // Shortcuts work while the menu bar is hidden in full screen, too.
    addAction(pAction);
    return pAction;
}

void CMainFrame::CreateActions() {
    for (const MenuDef& menu : kMenus)
        for (const MenuItem& item : menu.items)
            if (item.nId > 0 && !m_mapActions.count(item.nId))
                AddAction(item.nId, QString::fromLatin1(item.szText),
                          QString::fromLatin1(item.szPrompt));
    for (int nId : kCheckable)
        m_mapActions.at(nId)->setCheckable(true);
    AddAction(ID_LEAVE_FULL_SCREEN, QStringLiteral("Full Screen"),
              QStringLiteral("Leave full screen mode\nClose Full Screen"));
    for (int i = 0; i < RECENT_FILES; ++i) {
        const int nId = ID_FILE_MRU_FILE1 + i;
        m_recentActions[i] = AddAction(nId, QString(), QStringLiteral("Open this document"));
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuDef& def : kMenus) {
        QMenu* pMenu = menuBar()->addMenu(QString::fromLatin1(def.szTitle));
        for (const MenuItem& item : def.items) {
            if (item.nId == SEPARATOR) {
                pMenu->addSeparator();
            } else if (item.nId == RECENT_FILE_LIST) {
                for (QAction* pRecent : m_recentActions)
                    pMenu->addAction(pRecent);
                m_pFileMenu = pMenu;
            } else {
                pMenu->addAction(m_mapActions.at(item.nId));
            }
        }
        connect(pMenu, &QMenu::aboutToShow, this,
                [this, pMenu] { UpdateActions(pMenu->actions()); });
        m_listMenus.append(pMenu);
    }
}

void CMainFrame::CreateToolBars() {
    auto makeBar = [this](const QString& strCaption, std::initializer_list<int> ids) {
        auto* pBar = new QToolBar(strCaption, this);
        pBar->setObjectName(strCaption);
        pBar->setIconSize(QSize(16, 15));
        for (int nId : ids) {
            if (nId == SEPARATOR)
                pBar->addSeparator();
            else
                pBar->addAction(m_mapActions.at(nId));
        }
        return pBar;
    };
    m_pBarStandard = makeBar(QStringLiteral("Standard"), {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE});
    m_pBarTools = makeBar(QStringLiteral("Tools"),
                          {ID_TOOL_SELECT, ID_TOOL_CONDITION, ID_TOOL_EVENT, ID_TOOL_EDGE,
                           ID_TOOL_POLYGON, ID_TOOL_LABEL, ID_TOOL_TOKEN});
    m_pBarControls = makeBar(QStringLiteral("Controls"),
                             {ID_ENTER_SIMULATION, ID_LEAVE_SIMULATION, SEPARATOR,
                              ID_SHOW_NET_DESIGN, ID_SHOW_CASE_GRAPH, ID_SHOW_OCCURRENCE_NET});
    // The three docked bars sit side by side at the top, locked in place.
    for (QToolBar* pBar : {m_pBarStandard, m_pBarTools, m_pBarControls}) {
        pBar->setAllowedAreas(Qt::AllToolBarAreas);
        pBar->setMovable(false);
        pBar->setFloatable(false);
        addToolBar(Qt::TopToolBarArea, pBar);
    }

    // The small bar of full-screen mode floats on its own and never docks.
    m_pBarFullScreen = makeBar(QStringLiteral("Full Screen"), {ID_LEAVE_FULL_SCREEN});
    m_pBarFullScreen->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    m_pBarFullScreen->setWindowTitle(QStringLiteral("Full Screen"));
    m_pBarFullScreen->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pBarFullScreen->setMovable(false);
    m_pBarFullScreen->setFloatable(false);
    m_pBarFullScreen->hide();
}

QToolBar* CMainFrame::GetToolBar(int nIndex) const {
    switch (nIndex) {
    case 0:
        return m_pBarStandard;
    case 1:
        return m_pBarTools;
    case 2:
        return m_pBarControls;
    case 3:
        return m_pBarFullScreen;
    default:
        return nullptr;
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pStatus = statusBar();
    m_pPositionPane = new QLabel(pStatus);
    m_pPositionPane->setObjectName(QStringLiteral("PositionPane"));
    m_pPositionPane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int nMargin = 2 * m_pPositionPane->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 6;
    m_pPositionPane->setMinimumWidth(
        m_pPositionPane->fontMetrics().horizontalAdvance(QStringLiteral("P 0000, 0000")) + nMargin);
    pStatus->addPermanentWidget(m_pPositionPane);
    // The message pane says "Ready" whenever no prompt is shown.
    connect(pStatus, &QStatusBar::messageChanged, this, [pStatus](const QString& strMessage) {
        if (strMessage.isEmpty())
            pStatus->showMessage(QStringLiteral("Ready"));
    });
    pStatus->showMessage(QStringLiteral("Ready"));
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions) {
    for (QAction* pAction : actions) {
        const int nId = pAction->data().toInt();
        if (nId <= 0)
            continue;
        const CCommandState state = GetCommandState(nId);
        pAction->setEnabled(state.enabled);
        if (state.checked && !pAction->isCheckable())
            pAction->setCheckable(true);
        if (pAction->isCheckable())
            pAction->setChecked(state.checked);
    }
}

void CMainFrame::UpdateCommandUI() {
    QList<QAction*> actions;
    actions.reserve(static_cast<qsizetype>(m_mapActions.size()));
    for (const auto& [nId, pAction] : m_mapActions)
        actions.append(pAction);
    UpdateActions(actions);
}

QAction* CMainFrame::GetAction(int nId) const {
    const auto it = m_mapActions.find(nId);
    return it == m_mapActions.end() ? nullptr : it->second;
}
