#include "app/dialogs/CDlgRecover.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CDlgRecover::CDlgRecover(const QString& strTitle, const QString& strPath, const QString& strWritten,
                         QWidget* pParent)
    : QDialog(pParent) {
    setWindowTitle(QStringLiteral("Recover Unsaved Work"));
    const QString strDocument = strPath.isEmpty()
                                    ? QStringLiteral("\"%1\" (never saved)").arg(strTitle)
                                    : QStringLiteral("\"%1\" (%2)").arg(strTitle, strPath);
    m_strText = QStringLiteral("Zerin ended without saving %1. Its unsaved state was kept "
                               "aside at %2.\n\nRecover it, discard it, or decide the next "
                               "time Zerin starts?")
                    .arg(strDocument, strWritten);
    auto* pText = new QLabel(m_strText, this);
    pText->setWordWrap(true);
    pText->setMinimumWidth(pText->fontMetrics().horizontalAdvance(QString(60, QLatin1Char('x'))));
    auto* pButtons = new QDialogButtonBox(this);
    QPushButton* pRecover =
        pButtons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    QPushButton* pDiscard =
        pButtons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    QPushButton* pLater =
        pButtons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    pRecover->setDefault(true);
    connect(pRecover, &QPushButton::clicked, this, [this] { done(CHOICE_RECOVER); });
    connect(pDiscard, &QPushButton::clicked, this, [this] { done(CHOICE_DISCARD); });
    connect(pLater, &QPushButton::clicked, this, [this] { done(CHOICE_LATER); });
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pText);
    pLayout->addWidget(pButtons);
}
