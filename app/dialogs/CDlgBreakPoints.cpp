#include "app/dialogs/CDlgBreakPoints.h"

#include "app/bars/PropertiesPageTools.h"
#include "app/dialogs/DialogLists.h"
#include "document/CBreakPoints.h"
#include "platform/QtFonts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

std::vector<std::uint32_t> FirstEntries(const std::vector<std::uint32_t>& arr, int nCount) {
    const auto n =
        static_cast<std::size_t>(std::clamp<int>(nCount, 0, static_cast<int>(arr.size())));
    return {arr.begin(), arr.begin() + static_cast<std::ptrdiff_t>(n)};
}

} // namespace

CDlgBreakPoints::CDlgBreakPoints(CBreakPoints& data, QWidget* pParent)
    : QDialog(pParent), m_rData(data) {
    setWindowTitle("Set Breakpoints");

    m_pAvailable = MakeSortedList(this, IDC_AVAILABLE);
    m_pBreak = MakeSortedList(this, IDC_BREAK);
    m_pAdd = new QPushButton(">>", this);
    SetControlId(m_pAdd, IDC_ADD);
    m_pRemove = new QPushButton("<<", this);
    SetControlId(m_pRemove, IDC_REMOVE);
    m_pClearAll = new QPushButton("Clear all", this);
    SetControlId(m_pClearAll, IDC_CLEAR_ALL);
    for (QPushButton* pButton : {m_pAdd, m_pRemove, m_pClearAll})
        pButton->setAutoDefault(false);

    auto* pMiddle = new QVBoxLayout;
    pMiddle->addStretch(1);
    pMiddle->addWidget(m_pAdd);
    pMiddle->addWidget(m_pRemove);
    pMiddle->addSpacing(12);
    pMiddle->addWidget(m_pClearAll);
    pMiddle->addStretch(1);

    auto* pGrid = new QGridLayout;
    pGrid->addWidget(new QLabel("Available cases:", this), 0, 0);
    pGrid->addWidget(new QLabel("Break at cases:", this), 0, 2);
    pGrid->addWidget(m_pAvailable, 1, 0);
    pGrid->addLayout(pMiddle, 1, 1);
    pGrid->addWidget(m_pBreak, 1, 2);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDlgBreakPoints::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CDlgBreakPoints::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid, 1);
    pLayout->addWidget(pButtons);

    connect(m_pAdd, &QPushButton::clicked, this, &CDlgBreakPoints::OnAdd);
    connect(m_pRemove, &QPushButton::clicked, this, &CDlgBreakPoints::OnRemove);
    connect(m_pClearAll, &QPushButton::clicked, this, &CDlgBreakPoints::OnClearAll);

    FillLists();
    ApplyHorizontalExtent();
}

void CDlgBreakPoints::showEvent(QShowEvent* pEvent) {
    // A dialog shown again starts from the data, not from a cancelled showing.
    if (!pEvent->spontaneous()) {
        if (m_bShown) {
            FillLists();
            ApplyHorizontalExtent();
        }
        m_bShown = true;
    }
    QDialog::showEvent(pEvent);
}

void CDlgBreakPoints::FillLists() {
    Fill(FirstEntries(m_rData.m_arrAvailable, m_rData.m_nAvailable),
         FirstEntries(m_rData.m_arrBreak, m_rData.m_nBreak));
}

void CDlgBreakPoints::Fill(const std::vector<std::uint32_t>& available,
                           const std::vector<std::uint32_t>& brk) {
    m_pAvailable->clear();
    m_pBreak->clear();
    for (std::uint32_t nCase : available)
        AddEntry(m_pAvailable, nCase);
    for (std::uint32_t nCase : brk)
        AddEntry(m_pBreak, nCase);
    SelectFirst(m_pAvailable);
    SelectFirst(m_pBreak);
    UpdateButtons();
}

void CDlgBreakPoints::AddEntry(QListWidget* pList, std::uint32_t nCase) {
    // An index outside the case list names no case.
    if (nCase >= m_rData.m_arrCases.size())
        return;
    AddSortedEntry(pList, ToQString(m_rData.m_arrCases[nCase].ToString(false)), nCase);
}

void CDlgBreakPoints::UpdateButtons() {
    m_pAdd->setEnabled(m_pAvailable->count() > 0);
    m_pRemove->setEnabled(m_pBreak->count() > 0);
    m_pClearAll->setEnabled(m_pBreak->count() > 0);
}

void CDlgBreakPoints::OnAdd() {
    MoveSelectedEntry(m_pAvailable, m_pBreak);
    UpdateButtons();
}

void CDlgBreakPoints::OnRemove() {
    MoveSelectedEntry(m_pBreak, m_pAvailable);
    UpdateButtons();
}

void CDlgBreakPoints::OnClearAll() {
    // Every case available again, but only in the lists: Cancel still keeps the
    // breakpoints this showing started with.
    std::vector<std::uint32_t> all(m_rData.m_arrCases.size());
    std::iota(all.begin(), all.end(), 0U);
    Fill(FirstEntries(all, m_rData.m_nCases), {});
}

std::vector<std::uint32_t> CDlgBreakPoints::ListData(const QListWidget* pList) {
    std::vector<std::uint32_t> data;
    data.reserve(static_cast<std::size_t>(pList->count()));
    for (int i = 0; i < pList->count(); ++i)
        data.push_back(pList->item(i)->data(Qt::UserRole).toUInt());
    return data;
}

void CDlgBreakPoints::accept() {
    m_rData.m_arrBreak = ListData(m_pBreak);
    m_rData.m_nBreak = static_cast<int>(m_rData.m_arrBreak.size());
    m_rData.m_arrAvailable = ListData(m_pAvailable);
    m_rData.m_nAvailable = static_cast<int>(m_rData.m_arrAvailable.size());
    QDialog::accept();
}

void CDlgBreakPoints::ApplyHorizontalExtent() {
    m_nHorizontalExtent = WidestEntry(m_pAvailable);
    OpenListsWide({m_pAvailable, m_pBreak}, m_nHorizontalExtent);
}
