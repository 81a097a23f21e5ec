#include "app/dialogs/CDlgOverviewLimits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include <climits>

CDlgOverviewLimits::CDlgOverviewLimits(QWidget* pParent)
    : QDialog(pParent), m_pCases(new QSpinBox(this)), m_pSteps(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Overview Limits"));
    for (QSpinBox* pBox : {m_pCases, m_pSteps}) {
        pBox->setRange(0, INT_MAX);
        pBox->setGroupSeparatorShown(true);
    }
    m_pCases->setObjectName(QStringLiteral("cases"));
    m_pSteps->setObjectName(QStringLiteral("steps"));
    auto* pForm = new QFormLayout(this);
    pForm->addRow(QStringLiteral("Show the overview past this many &cases:"), m_pCases);
    pForm->addRow(QStringLiteral("or past this many &steps:"), m_pSteps);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pForm->addRow(pButtons);
}

int CDlgOverviewLimits::exec() {
    m_pCases->setValue(m_nCases);
    m_pSteps->setValue(m_nSteps);
    return QDialog::exec();
}

void CDlgOverviewLimits::accept() {
    m_nCases = m_pCases->value();
    m_nSteps = m_pSteps->value();
    QDialog::accept();
}
