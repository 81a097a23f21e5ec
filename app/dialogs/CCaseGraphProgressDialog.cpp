#include "app/dialogs/CCaseGraphProgressDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Events are handled at most this often: a computation that reports every case would
// otherwise spend its time repainting the dialog.
constexpr qint64 kEventIntervalMs = 40;

} // namespace

CCaseGraphProgressDialog::CCaseGraphProgressDialog(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle("Computing the case graph");
    // Shown without a loop of its own; the rest of the program waits for the result.
    setWindowModality(Qt::ApplicationModal);

    m_pCounts = new QLabel(this);
    m_pCounts->setMinimumWidth(
        m_pCounts->fontMetrics().horizontalAdvance("Cases: 000000000, arcs: 000000000"));
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_pCancel = pButtons->button(QDialogButtonBox::Cancel);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CCaseGraphProgressDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel("Computing the case graph ...", this));
    pLayout->addWidget(m_pCounts);
    pLayout->addWidget(pButtons);
    m_pCounts->setText(QString("Cases: %1, arcs: %2").arg(0).arg(0));
    m_created.start();
}

bool CCaseGraphProgressDialog::SetProgress(int nCases, int nArcs) {
    m_pCounts->setText(QString("Cases: %1, arcs: %2").arg(nCases).arg(nArcs));
    if (m_bCancelled)
        return false;
    if (!isVisible()) {
        if (m_created.elapsed() < m_nShowDelayMs)
            return true;
        show();
    }
    // Only while the modal dialog shuts the other windows off: a click elsewhere must
    // not reach the program in the middle of the computation.
    if (!m_lastEvents.isValid() || m_lastEvents.elapsed() >= kEventIntervalMs) {
        QCoreApplication::processEvents();
        m_lastEvents.start();
    }
    return !m_bCancelled;
}

void CCaseGraphProgressDialog::reject() {
    m_bCancelled = true;
    m_pCancel->setEnabled(false);
    QDialog::reject();
}

QString CCaseGraphProgressDialog::GetCountsText() const {
    return m_pCounts->text();
}
