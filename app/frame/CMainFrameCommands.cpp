#include "app/frame/CMainFrame.h"

#include "app/bars/COutputBar.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/frame/CCommandTable.h"
#include "platform/CMeasureDC.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

#include <QStatusBar>

using namespace Cmd;

namespace {

// The name of an edit made by a command: its menu text without the accelerator mark
// and the key.
std::string EditText(const QString& strMenuText) {
    QString text = strMenuText.section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed().toStdString();
}

} // namespace

void CMainFrame::OnCommand(int nId) {
    // A command works on the view: the start page makes way for it.
    CloseStartPage();
    // A shortcut may fire before the idle update has caught up with the document.
    if (!GetCommandState(nId).enabled) {
        UpdateCommandUI();
        return;
    }
    // A command that changes the document is one edit, named as its menu item.
    const QAction* pAction = GetAction(nId);
    const bool bEdit = nId != ID_EDIT_UNDO && nId != ID_EDIT_REDO && pAction;
    if (bEdit)
        m_doc.BeginEdit(EditText(pAction->text()));
    if (const CCommandRow* pRow = FindCommand(nId))
        pRow->handler(*this, nId);
    else
        ViewCommand(nId); // a command of a view's own menu
    if (bEdit)
        m_doc.EndEdit();
    UpdateCommandUI();
}

CCommandState CMainFrame::GetCommandState(int nId) {
    return StateIn(CommandContext(), nId);
}

CCommandState CMainFrame::StateIn(const CCommandContext& context, int nId) {
    if (const CCommandRow* pRow = FindCommand(nId))
        return pRow->rule(context, nId);
    const CCommandState disabled{.enabled = false, .checked = false, .text = {}};
    return context.view ? context.view(nId).value_or(disabled) : disabled;
}

CCommandContext CMainFrame::CommandContext() {
    CCommandContext c{m_doc, *this, {}};
    if (CDiagramView* pView = GetActiveView())
        c.view = [pView](int nId) -> std::optional<CCommandState> {
            CCommandState state;
            if (pView->OnUpdateCommand(nId, state))
                return state;
            return std::nullopt;
        };
    return c;
}

bool CMainFrame::ViewCommand(int nId) {
    CDiagramView* pView = GetActiveView();
    return pView && pView->OnCommand(nId);
}

void CMainFrame::ComplementWithoutView() {
    // The view measures the new labels on its own context when it takes the command;
    // without it the Qt metrics serve.
    // The complement reads the flow relation of the last structure build, which only
    // simulation mode guarantees to match the net.
    if (!m_doc.Simulation().IsActive())
        return;
    m_doc.Simulation().Leave();
    CMeasureDC dc;
    m_doc.ComplementNet(dc);
    m_doc.SetNetModified();
    m_doc.SetModifiedFlag();
    m_services.UpdateAllViews();
}

void CMainFrame::ShowAbout() {
    CAboutDlg dialog(this);
    m_pPrompt->RunDialog(dialog);
}

void CMainFrame::HideOutputWindow() {
    m_pOutputBar->hide();
}

void CMainFrame::ResetOutputPane() {
    m_pOutputBar->ResetContent(false);
}

bool CMainFrame::IsStatusBarVisible() const {
    return !statusBar()->isHidden();
}

bool CMainFrame::IsPageVisible() const {
    return m_pCurrentPage && !m_pCurrentPage->isHidden();
}

bool CMainFrame::IsOutputVisible() const {
    return m_bOutputShown && !m_pOutputBar->isHidden();
}

bool CMainFrame::IsOutputPaneEmpty() const {
    return m_pOutputBar->IsCurrentPaneEmpty();
}
