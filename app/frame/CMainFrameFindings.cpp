#include "app/frame/CMainFrame.h"

#include "app/bars/CPropertyListBar.h"
#include "app/bars/CStructureListBar.h"
#include "app/dialogs/CDlgCaseConditions.h"
#include "app/frame/CFrameFindingsHost.h"
#include "app/frame/CQuestionCommands.h"
#include "base/OutputWriter.h"
#include "document/CCaseGraphEditor.h"
#include "findings/StructureSearch.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "views/CDiagramView.h"
#include "views/CZerinNetDesignView.h"

// The lists of findings beside the views: the property list and the structure list, and
// the questions of the Analysis menu that fill them or mark what they found.

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
    std::optional<CQuestionArgs> args;
    // A search asks for the conditions of the case first.
    for (const CQuestion::Option& option : question.Options()) {
        if (option.name != "--wanted")
            continue;
        QStringList conditions;
        for (const CPNElement* e : m_doc.NetDesign().m_listElements)
            if (auto* c = dynamic_cast<const CPNCondition*>(e); c && c->m_pLabel)
                conditions.append(QString::fromStdString(c->m_pLabel->m_strText));
        conditions.sort(Qt::CaseInsensitive);
        QString strTitle = QString::fromStdString(question.Menu().text);
        strTitle.remove(QStringLiteral("..."));
        CDlgCaseConditions dialog(strTitle, conditions, this);
        if (m_pPrompt->RunDialog(dialog) != QDialog::Accepted)
            return;
        args = CQuestionArgs{
            {"--wanted", {CDlgCaseConditions::AsList(dialog.m_strWanted).toStdString()}},
            {"--unwanted", {CDlgCaseConditions::AsList(dialog.m_strUnwanted).toStdString()}}};
    }
    const CAnswer answer = QuestionCommands::Ask(m_doc, question, args);
    // The way an answer found through the case class, marked in the case graph.
    for (const CAnswer::Entry& entry : answer.parts) {
        const auto* run = std::get_if<CAnswer::Run>(&entry.part);
        if (!run || !run->caseRun)
            continue;
        CCaseGraphEditor& editor = m_doc.CaseGraphEditor();
        editor.MarkPath(editor.PathElements(*run->caseRun));
        if (CDiagramView* pView = m_arrViews[VIEW_CASE_GRAPH])
            pView->InvalidateAll();
        break;
    }
}
