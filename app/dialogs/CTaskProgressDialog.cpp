#include "app/dialogs/CTaskProgressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The bar's steps: fine enough for a smooth bar, small enough for an int.
constexpr int kBarSteps = 1000;
} // namespace

CTaskProgressDialog::CTaskProgressDialog(const QString& strTitle, QWidget* pParent)
    : QDialog(pParent) {
    setWindowTitle(strTitle);
    setAccessibleName(strTitle);
    // The window it belongs to waits; the rest of the desktop does not.
    setWindowModality(Qt::WindowModal);
    m_pStage = new QLabel(this);
    m_pStage->setMinimumWidth(
        m_pStage->fontMetrics().horizontalAdvance(QString(48, QLatin1Char('x'))));
    m_pStage->setWordWrap(true);
    m_pBar = new QProgressBar(this);
    m_pBar->setRange(0, kBarSteps);
    m_pBar->setAccessibleName(QStringLiteral("Progress"));
    m_pTime = new QLabel(this);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_pCancel = pButtons->button(QDialogButtonBox::Cancel);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CTaskProgressDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pStage);
    pLayout->addWidget(m_pBar);
    pLayout->addWidget(m_pTime);
    pLayout->addWidget(pButtons);
    m_started.start();
}

void CTaskProgressDialog::Show(const CWorkMonitor::Reading& reading) {
    if (m_bCancelled)
        m_pStage->setText(QStringLiteral("Stopping..."));
    else
        m_pStage->setText(reading.stage.empty() ? windowTitle() + QStringLiteral("...")
                                                : QString::fromStdString(reading.stage));
    if (reading.total == 0) {
        // Work that cannot say how far it has come: the bar moves back and forth.
        m_pBar->setRange(0, 0);
    } else {
        m_pBar->setRange(0, kBarSteps);
        m_pBar->setValue(
            static_cast<int>(static_cast<double>(kBarSteps) *
                             static_cast<double>(std::min(reading.done, reading.total)) /
                             static_cast<double>(reading.total)));
    }
    m_pTime->setText(QStringLiteral("%1 s").arg(m_started.elapsed() / 1000.0, 0, 'f', 1));
}

QString CTaskProgressDialog::GetStageText() const {
    return m_pStage->text();
}

void CTaskProgressDialog::reject() {
    // The dialog stays until the work has stopped; the runner closes it.
    if (m_bCancelled)
        return;
    m_bCancelled = true;
    m_pCancel->setEnabled(false);
    m_pStage->setText(QStringLiteral("Stopping..."));
    emit Cancelled();
}
