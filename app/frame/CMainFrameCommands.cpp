#include "app/frame/CMainFrame.h"

#include "app/bars/COutputBar.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/frame/CommandIds.h"
#include "platform/CMeasureDC.h"
#include "views/CZerinNetDesignView.h"

#include <QStatusBar>

using namespace Cmd;

void CMainFrame::OnCommand(int nId) {
    // A shortcut may fire before the idle update has caught up with the document.
    if (!GetCommandState(nId).enabled) {
        UpdateCommandUI();
        return;
    }
    CDiagramView* pView = GetActiveView();
    if (!(pView && pView->OnCommand(nId)) && !DocumentCommand(nId))
        FrameCommand(nId);
    UpdateCommandUI();
}

CCommandState CMainFrame::GetCommandState(int nId) {
    CCommandState state;
    if (CDiagramView* pView = GetActiveView(); pView && pView->OnUpdateCommand(nId, state))
        return state;
    state = CCommandState{};
    if (DocumentCommandState(nId, state))
        return state;
    state = CCommandState{};
    if (FrameCommandState(nId, state))
        return state;
    // Nobody in this version handles it (the case graph and occurrence net views, the
    // editor's own commands before a view takes them).
    return CCommandState{false, false};
}

bool CMainFrame::DocumentCommandState(int nId, CCommandState& state) {
    const CZerinDoc& d = m_doc;
    switch (nId) {
    case ID_ENTER_SIMULATION:
        state.enabled = d.CanEnterSimulation();
        return true;
    case ID_LEAVE_SIMULATION:
        state.enabled = d.CanLeaveSimulation();
        return true;
    case ID_SET_BREAKPOINTS:
        state.enabled = d.CanSetBreakpoints();
        return true;
    case ID_CASE_CLASS_VERIFICATION:
        state.enabled = d.CanVerifyCaseClass();
        return true;
    case ID_WRITE_CASE_CLASS:
        state.enabled = d.CanWriteCaseClass();
        return true;
    case ID_COMPUTE_ALL_REACHABLE:
        state.enabled = d.CanComputeAllReachable();
        return true;
    case ID_EXPORT_CASE_CLASS_XML:
        state.enabled = d.CanExportCaseClassXML();
        return true;
    case ID_NET_EXPORT_XML:
        state.enabled = d.CanExportNetDesignXML();
        return true;
    case ID_CASE_GRAPH_EXPORT_XML:
        state.enabled = d.CanExportCaseGraphXML();
        return true;
    case ID_OCCURRENCE_NET_EXPORT_XML:
        state.enabled = d.CanExportOccurrenceNetXML();
        return true;
    case ID_NET_COMPLEMENT:
        state.enabled = d.CanDoNetComplement();
        return true;
    case ID_VIEW_GRID:
        state.checked = d.m_bGrid;
        return true;
    case ID_VIEW_RULER:
        state.checked = d.m_bRuler;
        return true;
    default:
        return false;
    }
}

bool CMainFrame::DocumentCommand(int nId) {
    switch (nId) {
    case ID_ENTER_SIMULATION:
        m_doc.EnterSimulation();
        break;
    case ID_LEAVE_SIMULATION:
        m_doc.LeaveSimulation();
        break;
    case ID_SET_BREAKPOINTS:
        m_doc.OnSetBreakpoints();
        break;
    case ID_CASE_CLASS_VERIFICATION:
        m_doc.OnCaseClassVerification();
        break;
    case ID_WRITE_CASE_CLASS:
        m_doc.OnWriteCaseClass();
        break;
    case ID_COMPUTE_ALL_REACHABLE:
        m_doc.OnComputeAllReachable();
        break;
    case ID_EXPORT_CASE_CLASS_XML:
        m_doc.OnExportCaseClassXML();
        break;
    case ID_NET_EXPORT_XML:
        m_doc.OnExportNetDesignXML();
        break;
    case ID_CASE_GRAPH_EXPORT_XML:
        m_doc.OnExportCaseGraphXML();
        break;
    case ID_OCCURRENCE_NET_EXPORT_XML:
        m_doc.OnExportOccurrenceNetXML();
        break;
    case ID_NET_COMPLEMENT: {
        // The view measures the new labels on its own context when it takes the
        // command; without it the Qt metrics serve.
        CMeasureDC dc;
        m_doc.DoNetComplement(dc);
        m_doc.SetNetModified();
        m_doc.SetModifiedFlag();
        break;
    }
    case ID_VIEW_GRID:
        m_doc.ToggleGrid();
        break;
    case ID_VIEW_RULER:
        m_doc.ToggleRuler();
        break;
    default:
        return false;
    }
    m_services.UpdateAllViews();
    return true;
}

bool CMainFrame::FrameCommandState(int nId, CCommandState& state) {
    switch (nId) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_APP_EXIT:
    case ID_APP_ABOUT:
    case ID_OUTPUT_HIDE:
        return true;
    case ID_VIEW_PROPERTIES_BAR:
        state.enabled = true;
        state.checked = m_pCurrentPage && !m_pCurrentPage->isHidden();
        return true;
    case ID_VIEW_OUTPUT:
        state.checked = m_bOutputShown && !m_pOutputBar->isHidden();
        return true;
    case ID_OUTPUT_RESET_CONTENT:
        state.enabled = !m_pOutputBar->IsCurrentPaneEmpty();
        return true;
    case ID_VIEW_STATUS_BAR:
        state.checked = !statusBar()->isHidden();
        return true;
    case ID_VIEW_FULL_SCREEN:
        state.checked = m_bFullScreen;
        return true;
    case ID_LEAVE_FULL_SCREEN:
        state.enabled = m_bFullScreen;
        return true;
    case ID_SHOW_NET_DESIGN:
        state.checked = IsViewActive(VIEW_NET_DESIGN);
        return true;
    case ID_SHOW_SIMULATING_SYSTEM:
        state.enabled = m_doc.m_bSimulation;
        state.checked = IsViewActive(VIEW_NET_DESIGN);
        return true;
    default:
        if (nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + RECENT_FILES) {
            state.enabled = nId - ID_FILE_MRU_FILE1 < GetRecentFiles().size();
            return true;
        }
        return false;
    }
}

bool CMainFrame::FrameCommand(int nId) {
    switch (nId) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_SAVE:
        OnFileSave();
        return true;
    case ID_FILE_SAVE_AS:
        OnFileSaveAs();
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_APP_ABOUT: {
        CAboutDlg dialog(this);
        m_pPrompt->RunDialog(dialog);
        return true;
    }
    case ID_VIEW_PROPERTIES_BAR:
        TogglePropertiesBar();
        return true;
    case ID_VIEW_OUTPUT:
        ToggleOutputWindow();
        return true;
    case ID_OUTPUT_HIDE:
        m_pOutputBar->hide();
        return true;
    case ID_OUTPUT_RESET_CONTENT:
        m_pOutputBar->ResetContent(false);
        return true;
    case ID_VIEW_STATUS_BAR:
        ToggleStatusBar();
        return true;
    case ID_VIEW_FULL_SCREEN:
        FullScreenOn();
        return true;
    case ID_LEAVE_FULL_SCREEN:
        FullScreenOff();
        return true;
    case ID_SHOW_NET_DESIGN:
    case ID_SHOW_SIMULATING_SYSTEM:
        ShowNetDesign();
        return true;
    default:
        if (nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + RECENT_FILES) {
            OpenRecentFile(nId - ID_FILE_MRU_FILE1);
            return true;
        }
        return false;
    }
}
