#include "app/dialogs/CDlgCaseClassAnalysis.h"

#include "engines/CCaseEngine.h"
#include "app/bars/PropertiesPageTools.h"
#include "app/dialogs/DialogLists.h"
#include "base/OutputWriter.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "platform/QtFonts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The conditions of the list, as their entries' values hold them, in list order.
std::vector<CPNCondition*> Conditions(const QListWidget* pList) {
    std::vector<CPNCondition*> conditions;
    for (int i = 0; i < pList->count(); ++i)
        conditions.push_back(
            static_cast<CPNCondition*>(pList->item(i)->data(Qt::UserRole).value<void*>()));
    return conditions;
}

} // namespace

CDlgCaseClassAnalysis::CDlgCaseClassAnalysis(const CCaseClassInput& input, bool bSimulation,
                                             ShowPath showPath, QWidget* pParent)
    : QDialog(pParent), m_input(input), m_bSimulation(bSimulation),
      m_showPath(std::move(showPath)) {
    setWindowTitle("CaseClass Verification");
    m_pAvailable = MakeSortedList(this, IDC_AVAILABLE);
    m_pWanted = MakeSortedList(this, IDC_WANTED);
    m_pUnwanted = MakeSortedList(this, IDC_UNWANTED);
    m_pFound = MakeSortedList(this, IDC_FOUND);
    auto makeButton = [this](const char* pszText, int nId, const char* pszTip = nullptr) {
        auto* pButton = new QPushButton(QString::fromUtf8(pszText), this);
        SetControlId(pButton, nId);
        pButton->setAutoDefault(false);
        if (pszTip) {
            pButton->setToolTip(QString::fromUtf8(pszTip));
            pButton->setAccessibleName(QString::fromUtf8(pszTip));
        }
        return pButton;
    };
    m_pToWanted = makeButton(">>", IDC_TO_WANTED, "Move to the wanted conditions");
    m_pFromWanted = makeButton("<<", IDC_FROM_WANTED, "Move back from the wanted conditions");
    m_pToUnwanted = makeButton(">>", IDC_TO_UNWANTED, "Move to the unwanted conditions");
    m_pFromUnwanted = makeButton("<<", IDC_FROM_UNWANTED, "Move back from the unwanted conditions");
    m_pClearAll = makeButton("Clear all", IDC_CLEAR_ALL);
    m_pFind = makeButton("Find cases from conditions", IDC_FIND);
    m_pShowPath = makeButton("Show Path", IDC_SHOW_PATH);
    m_pReplayPath = makeButton("Replay Path", IDC_REPLAY_PATH);
    m_pOnlyReachable = new QCheckBox("only reachable cases", this);
    SetControlId(m_pOnlyReachable, IDC_ONLY_REACHABLE);

    auto* pMoves = new QGridLayout;
    pMoves->addWidget(new QLabel("Wanted conditions:", this), 0, 1);
    pMoves->addWidget(m_pToWanted, 1, 0, Qt::AlignBottom);
    pMoves->addWidget(m_pFromWanted, 2, 0, Qt::AlignTop);
    pMoves->addWidget(m_pWanted, 1, 1, 2, 1);
    pMoves->addWidget(new QLabel("Unwanted conditions:", this), 3, 1);
    pMoves->addWidget(m_pToUnwanted, 4, 0, Qt::AlignBottom);
    pMoves->addWidget(m_pFromUnwanted, 5, 0, Qt::AlignTop);
    pMoves->addWidget(m_pUnwanted, 4, 1, 2, 1);

    auto* pGrid = new QGridLayout;
    pGrid->addWidget(new QLabel("Avaliable conditions:", this), 0, 0);
    pGrid->addWidget(m_pAvailable, 1, 0);
    pGrid->addLayout(pMoves, 0, 1, 2, 1);
    pGrid->addWidget(new QLabel("Found cases:", this), 0, 2);
    pGrid->addWidget(m_pFound, 1, 2);

    auto* pActions = new QHBoxLayout;
    pActions->addWidget(m_pOnlyReachable);
    pActions->addWidget(m_pFind);
    pActions->addWidget(m_pClearAll);
    pActions->addStretch(1);
    pActions->addWidget(m_pShowPath);
    pActions->addWidget(m_pReplayPath);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid, 1);
    pLayout->addLayout(pActions);
    pLayout->addWidget(pButtons);

    connect(m_pToWanted, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnAddWanted);
    connect(m_pToUnwanted, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnAddUnwanted);
    connect(m_pFromWanted, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnRemoveWanted);
    connect(m_pFromUnwanted, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnRemoveUnwanted);
    connect(m_pClearAll, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnClearAll);
    connect(m_pFind, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnFindCases);
    connect(m_pShowPath, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnShowPath);
    connect(m_pReplayPath, &QPushButton::clicked, this, &CDlgCaseClassAnalysis::OnReplayPath);
    connect(m_pFound, &QListWidget::currentRowChanged, this, [this] { UpdatePathButtons(); });

    FillLists();
    // The found list opens wide enough for the widest case, the condition lists for
    // the widest name.
    int nWidestCase = 0;
    const QFontMetrics metrics(m_pFound->font());
    if (m_input.engine && m_input.engine->ListsCases())
        for (int i = 0; i < std::min(m_input.engine->CaseCount(), 10000); ++i)
            nWidestCase = std::max(nWidestCase, metrics.horizontalAdvance(ToQString(
                                                    m_input.engine->Case(i).ToString(false))));
    OpenListsWide({m_pFound}, nWidestCase);
    OpenListsWide({m_pAvailable, m_pWanted, m_pUnwanted}, WidestEntry(m_pAvailable));
    m_pOnlyReachable->setChecked(true);
}

QListWidget* CDlgCaseClassAnalysis::GetList(int nId) const {
    switch (nId) {
    case IDC_AVAILABLE:
        return m_pAvailable;
    case IDC_WANTED:
        return m_pWanted;
    case IDC_UNWANTED:
        return m_pUnwanted;
    case IDC_FOUND:
        return m_pFound;
    default:
        return nullptr;
    }
}

QPushButton* CDlgCaseClassAnalysis::GetButton(int nId) const {
    for (QPushButton* pButton : {m_pToWanted, m_pFromWanted, m_pToUnwanted, m_pFromUnwanted,
                                 m_pClearAll, m_pFind, m_pShowPath, m_pReplayPath})
        if (pButton->objectName() == QString::number(nId))
            return pButton;
    return nullptr;
}

void CDlgCaseClassAnalysis::FillLists() {
    for (CPNCondition* pCondition : m_input.conditions)
        if (pCondition && pCondition->m_pLabel)
            AddSortedEntry(m_pAvailable, ToQString(pCondition->m_pLabel->GetText()),
                           QVariant::fromValue(static_cast<void*>(pCondition)));
    SelectFirst(m_pAvailable);
    UpdateAddButtons();
    for (QPushButton* pButton : {m_pFromWanted, m_pFromUnwanted, m_pClearAll, m_pFind})
        pButton->setEnabled(false);
    m_replayable.reset();
    UpdatePathButtons();
}

void CDlgCaseClassAnalysis::UpdateAddButtons() {
    const bool bAny = m_pAvailable->count() > 0;
    m_pToWanted->setEnabled(bAny);
    m_pToUnwanted->setEnabled(bAny);
}

void CDlgCaseClassAnalysis::UpdateWantedButtons() {
    const bool bAny = m_pWanted->count() > 0;
    for (QPushButton* pButton : {m_pFromWanted, m_pClearAll, m_pFind})
        pButton->setEnabled(bAny);
}

void CDlgCaseClassAnalysis::UpdateUnwantedButtons() {
    const bool bAny = m_pUnwanted->count() > 0;
    for (QPushButton* pButton : {m_pFromUnwanted, m_pClearAll, m_pFind})
        pButton->setEnabled(bAny);
}

void CDlgCaseClassAnalysis::OnAddWanted() {
    MoveSelectedEntry(m_pAvailable, m_pWanted);
    UpdateAddButtons();
    for (QPushButton* pButton : {m_pFromWanted, m_pClearAll, m_pFind})
        pButton->setEnabled(true);
}

void CDlgCaseClassAnalysis::OnAddUnwanted() {
    MoveSelectedEntry(m_pAvailable, m_pUnwanted);
    UpdateAddButtons();
    for (QPushButton* pButton : {m_pFromUnwanted, m_pClearAll, m_pFind})
        pButton->setEnabled(true);
}

void CDlgCaseClassAnalysis::OnRemoveWanted() {
    MoveSelectedEntry(m_pWanted, m_pAvailable);
    UpdateAddButtons();
    UpdateWantedButtons();
}

void CDlgCaseClassAnalysis::OnRemoveUnwanted() {
    MoveSelectedEntry(m_pUnwanted, m_pAvailable);
    UpdateAddButtons();
    UpdateUnwantedButtons();
}

void CDlgCaseClassAnalysis::OnClearAll() {
    for (QListWidget* pList : {m_pAvailable, m_pUnwanted, m_pWanted, m_pFound})
        pList->clear();
    FillLists();
}

void CDlgCaseClassAnalysis::OnFindCases() {
    // An engine that lists its cases gives every case found; one of decision diagrams the
    // first of its answer, and how many there are.
    constexpr std::size_t kShown = 1000;
    CCaseEngine& engine = *m_input.engine;
    const CCaseSearchResult found =
        engine.Find(Conditions(m_pWanted), Conditions(m_pUnwanted), m_pOnlyReachable->isChecked(),
                    engine.ListsCases() ? SIZE_MAX : kShown);
    m_pFound->clear();
    m_replayable.reset();
    m_foundCases = found.first;
    for (std::size_t i = 0; i < m_foundCases.size(); ++i)
        AddSortedEntry(m_pFound, ToQString(m_foundCases[i].ToString(false)),
                       QVariant::fromValue(static_cast<qulonglong>(i)));
    if (m_foundCases.empty())
        AddSortedEntry(m_pFound, QStringLiteral("no such case"), QVariant());
    else if (found.count != std::to_string(m_foundCases.size()))
        WriteOutput(PANE_ANALYSIS, "Found " + found.count + " cases, the first " +
                                       std::to_string(m_foundCases.size()) + " listed");
    SelectFirst(m_pFound);
    UpdatePathButtons();
}

std::optional<std::size_t> CDlgCaseClassAnalysis::SelectedCase() const {
    const QListWidgetItem* pItem = m_pFound->currentItem();
    if (!pItem || !pItem->data(Qt::UserRole).isValid())
        return std::nullopt;
    return static_cast<std::size_t>(pItem->data(Qt::UserRole).toULongLong());
}

std::optional<std::size_t> CDlgCaseClassAnalysis::SelectedNode() const {
    const std::optional<std::size_t> selected = SelectedCase();
    if (!selected || *selected >= m_foundCases.size() || !m_input.engine->ListsCases())
        return std::nullopt;
    const int node = m_input.engine->IndexOf(m_foundCases[*selected]);
    return node < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(node));
}

void CDlgCaseClassAnalysis::UpdatePathButtons() {
    const std::optional<std::size_t> selected = SelectedCase();
    m_pShowPath->setEnabled(selected.has_value());
    m_pReplayPath->setEnabled(m_bSimulation && selected && m_replayable &&
                              m_replayable == SelectedNode());
}

void CDlgCaseClassAnalysis::OnShowPath() {
    const std::optional<std::size_t> selected = SelectedCase();
    if (!selected || *selected >= m_foundCases.size())
        return;
    // A case of the drawn graph: its way is marked there and may be replayed; else the
    // way is written out.
    const std::optional<std::size_t> node = SelectedNode();
    if (!node || !m_showPath) {
        for (const std::string& line :
             DescribeRun(m_input.engine->PathTo(m_foundCases[*selected])))
            WriteOutput(PANE_ANALYSIS, line);
        return;
    }
    m_replayable.reset();
    if (m_showPath(*node))
        m_replayable = node;
    UpdatePathButtons();
}

void CDlgCaseClassAnalysis::OnReplayPath() {
    if (!m_pReplayPath->isEnabled())
        return;
    // The replay runs in the net design view once the dialog is closed.
    m_replayCase = SelectedNode();
    accept();
}
