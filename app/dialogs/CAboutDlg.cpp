#include "app/dialogs/CAboutDlg.h"

#include "app/frame/ToolBarIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QStringLiteral("About Zerin"));
    auto* pLayout = new QHBoxLayout(this);
    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(ApplicationIcon().pixmap(32, 32));
    pIcon->setAlignment(Qt::AlignTop);
    auto* pText = new QLabel(QStringLiteral("Zerin Version 1.65"), this);
    pText->setObjectName(QStringLiteral("VersionText"));
    pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(pOk);
    pButtons->addStretch();
    pLayout->addWidget(pIcon);
    pLayout->addSpacing(8);
    pLayout->addWidget(pText, 1);
    pLayout->addLayout(pButtons);
    // 235 x 55 dialog units in the dialog font.
    const QFontMetrics fm(font());
    setFixedSize(fm.averageCharWidth() * 235 / 4, fm.height() * 55 / 8 + 8);
}
