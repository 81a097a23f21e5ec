#include "views/CDlgProperties.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// Pages beyond this size are beyond any element's reach.
constexpr int kMaxExtent = 1000000;

QLineEdit* MakeEdit(QWidget* pParent, int nId) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(QString::number(nId));
    pEdit->setValidator(new QIntValidator(0, kMaxExtent, pEdit));
    pEdit->setAlignment(Qt::AlignRight);
    return pEdit;
}
} // namespace

CDlgProperties::CDlgProperties(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QStringLiteral("Properties"));
    m_pEditWidth = MakeEdit(this, IDC_WIDTH);
    m_pEditHeight = MakeEdit(this, IDC_HEIGHT);

    auto* pGrid = new QGridLayout;
    pGrid->addWidget(new QLabel(QStringLiteral("Window width:"), this), 0, 0);
    pGrid->addWidget(m_pEditWidth, 0, 1);
    pGrid->addWidget(new QLabel(QStringLiteral("pixels"), this), 0, 2);
    pGrid->addWidget(new QLabel(QStringLiteral("Window height:"), this), 1, 0);
    pGrid->addWidget(m_pEditHeight, 1, 1);
    pGrid->addWidget(new QLabel(QStringLiteral("pixels"), this), 1, 2);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDlgProperties::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CDlgProperties::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid);
    pLayout->addWidget(pButtons);
}

int CDlgProperties::exec() {
    m_pEditWidth->setText(QString::number(m_nWidth));
    m_pEditHeight->setText(QString::number(m_nHeight));
    return QDialog::exec();
}

void CDlgProperties::accept() {
    // An emptied edit keeps the value it was opened with.
    bool bOk = false;
    const int nWidth = m_pEditWidth->text().toInt(&bOk);
    if (bOk)
        m_nWidth = nWidth;
    const int nHeight = m_pEditHeight->text().toInt(&bOk);
    if (bOk)
        m_nHeight = nHeight;
    QDialog::accept();
}
