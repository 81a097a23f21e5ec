#include "app/frame/CMainFrame.h"

#include "app/bars/CPropertyListBar.h"
#include "app/frame/CFrameFindingsHost.h"

// The property list beside the views.

void CMainFrame::CreateFindingsBars() {
    m_pFindingsHost = std::make_unique<CFrameFindingsHost>(*this);
    m_pPropertyList = new CPropertyListBar(m_doc, *m_pFindingsHost, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pPropertyList);
    m_pPropertyList->hide();
}

void CMainFrame::TogglePropertyList() {
    m_pPropertyList->setVisible(m_pPropertyList->isHidden());
    if (!m_pPropertyList->isHidden()) {
        m_pPropertyList->raise();
        m_pPropertyList->Poll();
    }
}

bool CMainFrame::IsPropertyListVisible() const {
    return m_pPropertyList && !m_pPropertyList->isHidden();
}
