#include "app/frame/CMainFrame.h"

#include "app/bars/CPropertyListBar.h"
#include "app/bars/CStructureListBar.h"
#include "app/frame/CFrameFindingsHost.h"
#include "app/frame/CQuestionCommands.h"
#include "findings/StructureSearch.h"
#include "views/CZerinNetDesignView.h"

// The lists of findings beside the views: the property list and the structure list, and
// the questions of the Analysis menu that fill them.

void CMainFrame::CreateFindingsBars() {
    m_pFindingsHost = std::make_unique<CFrameFindingsHost>(*this);
    m_pPropertyList = new CPropertyListBar(m_doc, *m_pFindingsHost, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pPropertyList);
    m_pPropertyList->hide();
    m_pStructureList = new CStructureListBar(m_doc, *m_pFindingsHost, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pStructureList);
    m_pStructureList->hide();
    // Esc in the net design takes the structure's highlight away.
    m_pNetDesignView->installEventFilter(m_pStructureList);
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

void CMainFrame::AskQuestion(const CQuestion& question) {
    if (StructureSearch::IsListed(question.Id())) {
        if (QuestionCommands::CanAsk(m_doc, question))
            m_pStructureList->Fill(question.Id());
        return;
    }
    QuestionCommands::Ask(m_doc, question);
}
