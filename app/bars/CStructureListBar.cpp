#include "app/bars/CStructureListBar.h"

#include "app/bars/CFindingsHost.h"
#include "base/OutputWriter.h"
#include "document/CZerinDoc.h"
#include "findings/DocumentNet.h"
#include "findings/SameNet.h"
#include "findings/StructureSearch.h"
#include "model/CNetStructure.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionRegistry.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kItemRole = Qt::UserRole;

const char* GroupTitle(CStructureList::EKind kind) {
    switch (kind) {
    case CStructureList::EKind::SInvariant:
        return "S-invariants";
    case CStructureList::EKind::TInvariant:
        return "T-invariants (event counts)";
    default:
        return "Minimal siphons and their largest traps";
    }
}

} // namespace

CStructureListBar::CStructureListBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent)
    : QDockWidget(QStringLiteral("Structure"), pParent), m_doc(doc), m_host(host) {
    setObjectName(QStringLiteral("StructureListBar"));
    auto* pBody = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pBody);
    m_pSummary = new QLabel(pBody);
    m_pSummary->setWordWrap(true);
    m_pSummary->setAccessibleName(QStringLiteral("Structure summary"));
    m_pSummary->setText(QStringLiteral("Analysis > Invariants or Siphons and Traps lists them "
                                       "here."));
    pLayout->addWidget(m_pSummary);
    m_pTree = new QTreeWidget(pBody);
    m_pTree->setAccessibleName(QStringLiteral("Structure list"));
    m_pTree->setHeaderLabels(
        {QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Now")});
    m_pTree->setColumnWidth(kColumnItem, 260);
    m_pTree->header()->setStretchLastSection(true);
    pLayout->addWidget(m_pTree, 1);
    setWidget(pBody);
    connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CStructureListBar::Chosen);
    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, &CStructureListBar::Poll);
    m_timer.start();
}

bool CStructureListBar::Fill(const std::string& questionId) {
    const CQuestion* question = Questions().Find(questionId);
    if (!question || !StructureSearch::IsListed(questionId))
        return false;
    auto net = std::make_shared<CNetStructure>(DocumentNet(m_doc));
    StructureAnswers::Found found;
    const bool done = m_host.RunWork(question->Menu().text, [&](const WorkProgress& progress) {
        found = StructureSearch::Find(questionId, *net, progress);
        return !(found.sInvariants && found.sInvariants->end == EEnumeration::Cancelled) &&
               !(found.tInvariants && found.tInvariants->end == EEnumeration::Cancelled) &&
               !(found.siphons && found.siphons->end == EEnumeration::Cancelled);
    });
    if (!done)
        return false;
    // The Output pane's lines, as the question gives them.
    CQuestionArgs args;
    for (const std::string& flag : question->Menu().flags)
        args[flag];
    const CQuestionContext context{*net, &m_doc, nullptr, args, {}, {}};
    CAnswerWriter::Write(StructureAnswers::Answer(found, context));
    // The list keeps what it listed of the other question.
    const bool invariants = questionId == "invariants";
    std::optional<CSemiflowResult> s = found.sInvariants, t = found.tInvariants;
    std::optional<CSiphonResult> siphons = found.siphons;
    ClearHighlight();
    m_list.Fill(net, invariants ? s : std::nullopt, invariants ? t : std::nullopt,
                invariants ? std::nullopt : siphons);
    BuildRows();
    show();
    raise();
    return true;
}

void CStructureListBar::BuildRows() {
    const QSignalBlocker blocker(m_pTree);
    m_pTree->clear();
    QString strSummary;
    for (const std::string& line : m_list.Summary())
        strSummary += (strSummary.isEmpty() ? QString() : QStringLiteral("\n")) +
                      QString::fromStdString(line);
    m_pSummary->setText(strSummary);
    for (const auto kind : {CStructureList::EKind::SInvariant, CStructureList::EKind::TInvariant,
                            CStructureList::EKind::Siphon}) {
        const std::vector<std::size_t> items = m_list.ItemsOf(kind);
        if (items.empty())
            continue;
        auto* pGroup = new QTreeWidgetItem(m_pTree, {QString::fromUtf8(GroupTitle(kind))});
        pGroup->setFlags(Qt::ItemIsEnabled);
        pGroup->setData(kColumnItem, kItemRole, -1);
        for (const std::size_t i : items) {
            const CStructureList::Item& item = m_list.Items()[i];
            auto* pRow = new QTreeWidgetItem(pGroup);
            pRow->setText(kColumnItem, QString::fromStdString(m_list.Describe(item)));
            pRow->setToolTip(kColumnItem, pRow->text(kColumnItem));
            pRow->setData(kColumnItem, kItemRole, static_cast<int>(i));
            if (kind == CStructureList::EKind::SInvariant)
                pRow->setText(kColumnValue, QString::number(item.value));
        }
        pGroup->setExpanded(true);
    }
    // The items as wide as they read, so that their values show beside them.
    m_pTree->resizeColumnToContents(kColumnItem);
    m_strShownCase.clear();
    UpdateValues();
}

void CStructureListBar::Choose(int nItem) {
    if (nItem < 0) {
        m_pTree->clearSelection();
        return;
    }
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it)
        if ((*it)->data(kColumnItem, kItemRole).toInt() == nItem) {
            m_pTree->setCurrentItem(*it);
            return;
        }
}

void CStructureListBar::ClearHighlight() {
    const QSignalBlocker blocker(m_pTree);
    m_pTree->clearSelection();
    m_highlight.Clear();
    m_host.SetNetDesignOverlay({});
}

void CStructureListBar::Chosen() {
    const QList<QTreeWidgetItem*> chosen = m_pTree->selectedItems();
    const int nItem =
        chosen.size() == 1 ? chosen.front()->data(kColumnItem, kItemRole).toInt() : -1;
    if (nItem < 0 || static_cast<std::size_t>(nItem) >= m_list.Items().size() ||
        !m_host.CanReadDocument()) {
        m_highlight.Clear();
        m_host.SetNetDesignOverlay({});
        return;
    }
    m_highlight.Set(m_list.Marks(m_list.Items()[static_cast<std::size_t>(nItem)]));
    m_host.SetNetDesignOverlay([this](CDC& dc) { m_highlight.Draw(dc, m_doc.NetDesign()); });
    m_host.ShowNetDesign();
}

void CStructureListBar::Poll() {
    if (isHidden() || !m_host.CanReadDocument() || !m_list.Net())
        return;
    if (m_nDocRevision != m_doc.Revision()) {
        m_nDocRevision = m_doc.Revision();
        const CNetStructure now = DocumentNet(m_doc);
        const bool same = SameNet(*m_list.Net(), now);
        m_pTree->setEnabled(same);
        if (!same) {
            ClearHighlight();
            m_pSummary->setText(QStringLiteral("The net was edited since: choose Invariants or "
                                               "Siphons and Traps again."));
        }
    }
    UpdateValues();
}

void CStructureListBar::UpdateValues() {
    const CSimulation& simulation = m_doc.Simulation();
    const std::string shown = simulation.IsActive() ? simulation.CurrentCase().ToString(false) : "";
    if (shown == m_strShownCase)
        return;
    m_strShownCase = shown;
    const std::vector<bool> held =
        simulation.IsActive() ? m_list.Held(simulation.CurrentCase()) : std::vector<bool>();
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        const int nItem = (*it)->data(kColumnItem, kItemRole).toInt();
        if (nItem < 0 || static_cast<std::size_t>(nItem) >= m_list.Items().size())
            continue;
        const CStructureList::Item& item = m_list.Items()[static_cast<std::size_t>(nItem)];
        if (item.kind != CStructureList::EKind::SInvariant)
            continue;
        (*it)->setText(kColumnNow, held.empty()
                                       ? QString()
                                       : QString::number(CStructureList::ValueIn(item, held)));
    }
    m_pTree->headerItem()->setToolTip(
        kColumnNow, held.empty() ? QStringLiteral("In simulation: the value in the current case")
                                 : QStringLiteral("The value in the current case %1")
                                       .arg(QString::fromStdString(shown)));
}

bool CStructureListBar::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pEvent->type() == QEvent::KeyPress && !m_highlight.IsEmpty() &&
        static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Escape)
        ClearHighlight();
    return QDockWidget::eventFilter(pObject, pEvent);
}
