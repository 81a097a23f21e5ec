#include "app/frame/CCommandTable.h"
#include "app/frame/CMainFrame.h"
#include "views/CDiagramView.h"

#include "app/frame/ToolBarIcons.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace Cmd;

QAction* CMainFrame::AddAction(const CCommandRow& row) {
    const int nId = row.id;
    auto* pAction = new QAction(QString::fromLatin1(row.text ? row.text : ""), this);
    pAction->setData(nId);
    // Several keys of one command are separated by semicolons.
    if (row.key) {
        QList<QKeySequence> keys;
        for (const QString& key : QString::fromLatin1(row.key).split(QLatin1Char(';')))
            keys.append(QKeySequence(key));
        pAction->setShortcuts(keys);
    }
    pAction->setCheckable(row.checkable);
    const QString strPrompt = QString::fromLatin1(row.prompt ? row.prompt : "");
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
    for (const CCommandRow& row : CommandTable()) {
        if (row.id == 0)
            continue;
        QAction* pAction = AddAction(row);
        if (row.id >= ID_FILE_MRU_FILE1 && row.id < ID_FILE_MRU_FILE1 + RECENT_FILES)
            m_recentActions[static_cast<std::size_t>(row.id - ID_FILE_MRU_FILE1)] = pAction;
    }
}

void CMainFrame::CreateMenus() {
    std::map<std::string, QMenu*> menus;
    for (const CCommandRow& row : CommandTable()) {
        if (!row.menu)
            continue;
        QMenu*& pMenu = menus[row.menu];
        if (!pMenu) {
            pMenu = menuBar()->addMenu(QString::fromLatin1(row.menu));
            connect(pMenu, &QMenu::aboutToShow, this,
                    [this, pMenu] { UpdateActions(pMenu->actions()); });
            m_listMenus.append(pMenu);
        }
        if (row.id == 0)
            pMenu->addSeparator();
        else
            pMenu->addAction(m_mapActions.at(row.id));
        if (row.id == ID_FILE_MRU_FILE1)
            m_pFileMenu = pMenu;
    }
}

void CMainFrame::CreateToolBars() {
    // A toolbar holds the rows that name it, by their slots; a gap is a separator.
    auto makeBar = [this](int nBar, const QString& strCaption) {
        auto* pBar = new QToolBar(strCaption, this);
        pBar->setObjectName(strCaption);
        // The size the style asks for toolbars; the pictures scale to it.
        const int nSize = style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, pBar);
        pBar->setIconSize(QSize(nSize, nSize));
        std::vector<const CCommandRow*> rows;
        for (const CCommandRow& row : CommandTable())
            if (row.toolbar == nBar)
                rows.push_back(&row);
        std::sort(rows.begin(), rows.end(),
                  [](const CCommandRow* a, const CCommandRow* b) { return a->slot < b->slot; });
        int nLast = 0;
        for (const CCommandRow* pRow : rows) {
            if (nLast > 0 && pRow->slot > nLast + 1)
                pBar->addSeparator();
            pBar->addAction(m_mapActions.at(pRow->id));
            nLast = pRow->slot;
        }
        return pBar;
    };
    m_pBarStandard = makeBar(0, QStringLiteral("Standard"));
    m_pBarTools = makeBar(1, QStringLiteral("Tools"));
    m_pBarControls = makeBar(2, QStringLiteral("Controls"));
    // The three docked bars sit side by side at the top, locked in place.
    for (QToolBar* pBar : {m_pBarStandard, m_pBarTools, m_pBarControls}) {
        pBar->setAllowedAreas(Qt::AllToolBarAreas);
        pBar->setMovable(false);
        pBar->setFloatable(false);
        addToolBar(Qt::TopToolBarArea, pBar);
    }

    // The small bar of full-screen mode floats on its own and never docks.
    m_pBarFullScreen = makeBar(3, QStringLiteral("Full Screen"));
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
    // Beside the position: the active view's zoom.
    m_pZoomPane = new QLabel(QStringLiteral("100 %"), pStatus);
    m_pZoomPane->setObjectName(QStringLiteral("ZoomPane"));
    m_pZoomPane->setAccessibleName(QStringLiteral("Zoom"));
    m_pZoomPane->setMinimumWidth(
        m_pZoomPane->fontMetrics().horizontalAdvance(QStringLiteral("400 %")) + nMargin);
    pStatus->addPermanentWidget(m_pZoomPane);
    // The message pane says "Ready" whenever no prompt is shown.
    connect(pStatus, &QStatusBar::messageChanged, this, [pStatus](const QString& strMessage) {
        if (strMessage.isEmpty())
            pStatus->showMessage(QStringLiteral("Ready"));
    });
    pStatus->showMessage(QStringLiteral("Ready"));
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions) {
    const CCommandContext context = CommandContext();
    for (QAction* pAction : actions) {
        const int nId = pAction->data().toInt();
        if (nId <= 0)
            continue;
        const CCommandState state = StateIn(context, nId);
        pAction->setEnabled(state.enabled);
        if (!state.text.empty() && pAction->text() != QString::fromStdString(state.text))
            pAction->setText(QString::fromStdString(state.text));
        if (pAction->isCheckable())
            pAction->setChecked(state.checked);
    }
}

void CMainFrame::UpdateCommandUI() {
    // The rules read the document, which a task is working on.
    if (m_bFrozen)
        return;
    QList<QAction*> actions;
    actions.reserve(static_cast<qsizetype>(m_mapActions.size()));
    for (const auto& [nId, pAction] : m_mapActions)
        actions.append(pAction);
    UpdateActions(actions);
    if (const CDiagramView* pView = GetView(m_nActiveView))
        SetStatusZoom(pView->GetZoom());
}

QAction* CMainFrame::GetAction(int nId) const {
    const auto it = m_mapActions.find(nId);
    return it == m_mapActions.end() ? nullptr : it->second;
}
