#include "app/bars/CPropertyListBar.h"

#include "app/bars/CFindingsHost.h"
#include "app/bars/CWitnessBar.h"
#include "app/controls/CFormulaEdit.h"
#include "base/OutputWriter.h"
#include "document/CZerinDoc.h"
#include "findings/DocumentNet.h"
#include "findings/SameNet.h"
#include "model/CNetStructure.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSerialRole = Qt::UserRole;
const QColor kWrongColour(200, 0, 0);
const QColor kStaleColour(140, 140, 140);

QString TimeText(double seconds) {
    char text[32];
    if (seconds < 1.0)
        std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000.0);
    else
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    return QString::fromLatin1(text);
}

} // namespace

CPropertyListBar::CPropertyListBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent)
    : QDockWidget(QStringLiteral("Properties"), pParent), m_doc(doc), m_host(host),
      m_model(doc.PropertyList()) {
    setObjectName(QStringLiteral("PropertyListBar"));
    auto* pBody = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pBody);
    auto button = [pBody](const char* szText, const char* szTip) {
        auto* pButton = new QPushButton(QString::fromUtf8(szText), pBody);
        pButton->setToolTip(QString::fromUtf8(szTip));
        pButton->setAutoDefault(false);
        return pButton;
    };

    auto* pEditRow = new QHBoxLayout;
    m_pEditor = new CFormulaEdit(pBody);
    m_pEditor->setAccessibleName(QStringLiteral("Formula"));
    m_pAdd = button("Add", "Add the formula as a new line");
    m_pReplace = button("Replace", "Put the formula in place of the chosen line");
    pEditRow->addWidget(m_pEditor, 1);
    pEditRow->addWidget(m_pAdd);
    pEditRow->addWidget(m_pReplace);
    pLayout->addLayout(pEditRow);
    m_pFault = new QLabel(pBody);
    m_pFault->setAccessibleName(QStringLiteral("Formula fault"));
    m_pFault->setWordWrap(true);
    m_pFault->setStyleSheet(QStringLiteral("color: #c00000"));
    m_pFault->hide();
    pLayout->addWidget(m_pFault);

    auto* pExamRow = new QHBoxLayout;
    m_pExaminations = new QComboBox(pBody);
    m_pExaminations->setAccessibleName(QStringLiteral("Examination"));
    for (const std::string& name : CPropertyListModel::ExaminationNames())
        m_pExaminations->addItem(QString::fromStdString(name));
    auto* pAddExam = button("Add Examination", "Add the global examination as a new line");
    pExamRow->addWidget(m_pExaminations, 1);
    pExamRow->addWidget(pAddExam);
    pLayout->addLayout(pExamRow);

    m_pList = new QTreeWidget(pBody);
    m_pList->setAccessibleName(QStringLiteral("Property list"));
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setHeaderLabels({QStringLiteral("Property"), QStringLiteral("Verdict"),
                              QStringLiteral("Time"), QStringLiteral("Engine")});
    m_pList->header()->setStretchLastSection(true);
    m_pList->setColumnWidth(kColumnProperty, 220);
    pLayout->addWidget(m_pList, 1);

    auto* pButtons = new QHBoxLayout;
    m_pCheck = button("Check", "Check the chosen lines");
    m_pCheckAll = button("Check All", "Check every line");
    m_pShowWitness = button("Show Witness", "Play the run that shows the chosen line's verdict");
    m_pRemove = button("Remove", "Remove the chosen lines");
    m_pUp = button("\u2191", "Move the chosen line up");
    m_pDown = button("\u2193", "Move the chosen line down");
    for (QPushButton* pButton : {m_pCheck, m_pCheckAll, m_pShowWitness, m_pRemove, m_pUp, m_pDown})
        pButtons->addWidget(pButton);
    pButtons->addStretch(1);
    pLayout->addLayout(pButtons);
    m_pWitness = new CWitnessBar(doc, host, pBody);
    pLayout->addWidget(m_pWitness);
    setWidget(pBody);

    connect(m_pAdd, &QPushButton::clicked, this, [this] { AddFormula(); });
    connect(m_pEditor, &QLineEdit::returnPressed, this, [this] { AddFormula(); });
    connect(m_pReplace, &QPushButton::clicked, this, [this] { ReplaceFormula(); });
    connect(pAddExam, &QPushButton::clicked, this,
            [this] { AddExamination(m_pExaminations->currentText()); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { RemoveChosen(); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { MoveChosen(-1); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { MoveChosen(1); });
    connect(m_pCheck, &QPushButton::clicked, this, [this] { CheckChosen(); });
    connect(m_pCheckAll, &QPushButton::clicked, this, [this] { CheckAll(); });
    connect(m_pShowWitness, &QPushButton::clicked, this, [this] { ShowWitness(); });
    connect(m_pList, &QTreeWidget::itemSelectionChanged, this, [this] {
        const std::vector<std::uint64_t> chosen = ChosenLines();
        if (chosen.size() == 1)
            if (const CPropertyList::Line* line = m_model.List().Find(chosen.front())) {
                if (line->kind == CPropertyList::EKind::Formula)
                    m_pEditor->setText(QString::fromStdString(line->text));
                else
                    m_pExaminations->setCurrentText(QString::fromStdString(line->text));
                ShowFault(m_model.FindingOf(line->serial));
            }
        UpdateButtons();
    });
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int nColumn) {
        if (nColumn != kColumnProperty)
            ShowWitness();
    });
    m_timer.setInterval(300);
    connect(&m_timer, &QTimer::timeout, this, &CPropertyListBar::Poll);
    m_timer.start();
    Poll();
}

CPropertyListBar::~CPropertyListBar() = default;

void CPropertyListBar::Poll() {
    if (!m_host.CanReadDocument())
        return;
    bool rebuild = m_nListRevision != m_model.List().Revision();
    if (m_nDocRevision != m_doc.Revision()) {
        m_nDocRevision = m_doc.Revision();
        auto net = std::make_shared<CNetStructure>(DocumentNet(m_doc));
        m_pWitness->NetChanged(*net);
        const auto& now = m_model.Net();
        if (!now || !SameNet(*now, *net) || now->Conditions() != net->Conditions() ||
            now->Events() != net->Events()) {
            m_model.SetNet(std::move(net));
            QStringList words;
            for (const std::string& word : m_model.CompletionWords())
                words.append(QString::fromStdString(word));
            m_pEditor->SetWords(words);
            rebuild = true;
        }
    }
    m_model.Refresh();
    if (rebuild)
        BuildRows();
    m_pWitness->Poll();
    // A companion file the document could not take is said where the list is.
    const std::string& refused = m_doc.PropertyList().RefusedMessage();
    if (!refused.empty() && m_model.List().IsEmpty()) {
        m_pFault->setText(QString::fromStdString(refused) +
                          QStringLiteral(". It stays as it is; properties saved with the "
                                         "document put it aside as .bak first."));
        m_pFault->show();
    }
    UpdateButtons();
}

void CPropertyListBar::BuildRows() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    for (const CPropertyList::Line& line : m_model.List().Lines()) {
        auto* pItem = new QTreeWidgetItem(m_pList);
        pItem->setData(kColumnProperty, kSerialRole, QVariant::fromValue<qulonglong>(line.serial));
        FillRow(*pItem, line);
        if (std::find(chosen.begin(), chosen.end(), line.serial) != chosen.end())
            pItem->setSelected(true);
    }
    m_nListRevision = m_model.List().Revision();
}

void CPropertyListBar::FillRow(QTreeWidgetItem& item, const CPropertyList::Line& line) {
    const CPropertyListModel::Finding& finding = m_model.FindingOf(line.serial);
    const bool examination = line.kind == CPropertyList::EKind::Examination;
    item.setText(kColumnProperty, QString::fromStdString(line.text));
    item.setToolTip(
        kColumnProperty,
        examination
            ? QStringLiteral("The contest's examination %1").arg(QString::fromStdString(line.text))
            : QString::fromStdString(line.text));
    if (examination) {
        QFont font = item.font(kColumnProperty);
        font.setItalic(true);
        item.setFont(kColumnProperty, font);
    }
    if (finding.state == CPropertyListModel::EState::Wrong) {
        item.setText(kColumnVerdict, QStringLiteral("wrong"));
        item.setToolTip(kColumnVerdict, QString::fromStdString(finding.fault));
        item.setForeground(kColumnVerdict, kWrongColour);
        item.setForeground(kColumnProperty, kWrongColour);
        return;
    }
    if (finding.state != CPropertyListModel::EState::Checked)
        return;
    const CAnswer::Verdict& verdict = finding.verdict;
    item.setText(kColumnVerdict, QString::fromStdString(CPropertyListModel::VerdictText(finding)));
    QString strTip = verdict.value == CAnswer::Verdict::EValue::Unknown
                         ? QString::fromStdString(verdict.why)
                         : QString();
    if (finding.run)
        strTip += (strTip.isEmpty() ? QString() : QStringLiteral("\n")) +
                  QStringLiteral("A run shows it: Show Witness plays it (%1 event(s)%2)")
                      .arg(finding.run->events.size())
                      .arg(finding.run->end == CRun::EEnd::Loop
                               ? QStringLiteral(", then its loop for ever")
                               : QString());
    item.setText(kColumnTime, TimeText(verdict.seconds));
    QString strEngine;
    for (const std::string& word : verdict.techniques)
        strEngine +=
            (strEngine.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromStdString(word);
    item.setText(kColumnEngine, strEngine);
    item.setToolTip(kColumnEngine, strEngine);
    if (m_model.IsStale(line.serial)) {
        strTip = QStringLiteral("Checked before the net was last edited: check it again");
        for (int column = 0; column < m_pList->columnCount(); ++column)
            item.setForeground(column, kStaleColour);
    }
    item.setToolTip(kColumnVerdict, strTip);
}

std::vector<std::uint64_t> CPropertyListBar::ChosenLines() const {
    std::vector<std::uint64_t> chosen;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* pItem = m_pList->topLevelItem(i);
        if (pItem->isSelected())
            chosen.push_back(pItem->data(kColumnProperty, kSerialRole).toULongLong());
    }
    return chosen;
}

void CPropertyListBar::Choose(std::uint64_t serial) {
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* pItem = m_pList->topLevelItem(i);
        if (pItem->data(kColumnProperty, kSerialRole).toULongLong() == serial) {
            m_pList->setCurrentItem(pItem);
            return;
        }
    }
}

void CPropertyListBar::ShowFault(const CPropertyListModel::Finding& finding) {
    const bool wrong = finding.state == CPropertyListModel::EState::Wrong;
    m_pFault->setText(QString::fromStdString(finding.fault));
    m_pFault->setVisible(wrong);
    m_pEditor->MarkFault(wrong ? static_cast<int>(finding.faultPosition) : -1);
}

void CPropertyListBar::ListChanged() {
    m_doc.SetModifiedFlag();
    m_host.DocumentChanged();
    BuildRows();
    UpdateButtons();
}

bool CPropertyListBar::AddFormula() {
    const std::string text = m_pEditor->text().trimmed().toStdString();
    if (text.empty())
        return false;
    const std::uint64_t serial = m_model.AddFormula(text);
    ListChanged();
    Choose(serial);
    ShowFault(m_model.FindingOf(serial));
    return true;
}

bool CPropertyListBar::ReplaceFormula() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    const std::string text = m_pEditor->text().trimmed().toStdString();
    if (chosen.size() != 1 || text.empty())
        return false;
    const CPropertyList::Line* line = m_model.List().Find(chosen.front());
    if (!line || line->kind != CPropertyList::EKind::Formula || !m_model.Edit(line->serial, text))
        return false;
    ListChanged();
    ShowFault(m_model.FindingOf(chosen.front()));
    return true;
}

bool CPropertyListBar::AddExamination(const QString& strName) {
    if (strName.isEmpty())
        return false;
    const std::uint64_t serial = m_model.AddExamination(strName.toStdString());
    ListChanged();
    Choose(serial);
    return true;
}

void CPropertyListBar::RemoveChosen() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    for (const std::uint64_t serial : chosen)
        m_model.Remove(serial);
    if (!chosen.empty())
        ListChanged();
}

void CPropertyListBar::MoveChosen(int nDelta) {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    if (chosen.size() == 1 && m_model.Move(chosen.front(), nDelta))
        ListChanged();
}

bool CPropertyListBar::Check(const std::vector<std::uint64_t>& serials) {
    const CPropertyListModel::Batch batch = m_model.Prepare(serials);
    if (batch.queries.empty() || !batch.net)
        return true;
    std::vector<CPropertyListModel::Outcome> outcomes;
    const bool done = m_host.RunWork("Checking properties", [&](const WorkProgress& progress) {
        CCheckLimits limits;
        limits.progress = progress;
        outcomes = CPropertyListModel::Run(batch, limits);
        return std::none_of(outcomes.begin(), outcomes.end(), [](const auto& outcome) {
            return outcome.result.reason == EStopReason::Cancelled;
        });
    });
    m_model.Apply(batch, outcomes);
    BuildRows();
    UpdateButtons();
    return done;
}

bool CPropertyListBar::CheckChosen() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    return !chosen.empty() && Check(chosen);
}

bool CPropertyListBar::ShowWitness() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    const CPropertyList::Line* line =
        chosen.size() == 1 ? m_model.List().Find(chosen.front()) : nullptr;
    QString strWhy;
    if (!line || !m_model.FindingOf(line->serial).run)
        strWhy = QStringLiteral("The chosen line has no run to show: check it first.");
    else if (m_model.IsStale(line->serial))
        strWhy = QStringLiteral("The net was edited since the line was checked: check it again.");
    else if (m_pWitness->Start(*m_model.Net(), *m_model.FindingOf(line->serial).run,
                               QString::fromStdString(line->text), strWhy)) {
        m_pFault->hide();
        return true;
    }
    m_pFault->setText(strWhy);
    m_pFault->show();
    return false;
}

void CPropertyListBar::UpdateButtons() {
    const std::vector<std::uint64_t> chosen = ChosenLines();
    const CPropertyList::Line* one =
        chosen.size() == 1 ? m_model.List().Find(chosen.front()) : nullptr;
    m_pReplace->setEnabled(one && one->kind == CPropertyList::EKind::Formula);
    m_pRemove->setEnabled(!chosen.empty());
    m_pUp->setEnabled(one != nullptr);
    m_pDown->setEnabled(one != nullptr);
    m_pCheck->setEnabled(!chosen.empty());
    m_pCheckAll->setEnabled(!m_model.List().IsEmpty());
    m_pShowWitness->setEnabled(one && m_model.FindingOf(one->serial).run &&
                               !m_model.IsStale(one->serial));
}
