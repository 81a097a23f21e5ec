#include "app/dialogs/CAboutDlg.h"

#include "app/frame/ToolBarIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef ZERIN_HOME_PAGE
#define ZERIN_HOME_PAGE ""
#endif

QString CAboutDlg::Licence() {
    return QStringLiteral("No licence has been chosen for Zerin yet; until its authors "
                          "choose one, all rights are reserved.");
}

QString CAboutDlg::HomePage() {
    return QStringLiteral(ZERIN_HOME_PAGE);
}

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QStringLiteral("About Zerin"));
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(ApplicationIcon().pixmap(32, 32));
    pIcon->setAlignment(Qt::AlignTop);
    auto* pText = new QLabel(QStringLiteral("Zerin Version 1.65"), this);
    pText->setObjectName(QStringLiteral("VersionText"));
    pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = pText->font();
    bold.setBold(true);
    pText->setFont(bold);
    // What a user quotes in a report or a paper: the build, the licence, the home.
    auto* pDetails = new QLabel(this);
    pDetails->setObjectName(QStringLiteral("Details"));
    pDetails->setTextFormat(Qt::PlainText);
    pDetails->setWordWrap(true);
    pDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QString strDetails =
        QStringLiteral(
            "A tool for condition/event Petri nets.\n\nBuilt with Qt %1, running on Qt %2.\n\n%3")
            .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()), Licence());
    if (!HomePage().isEmpty())
        strDetails += QStringLiteral("\n\nHome: %1").arg(HomePage());
    pDetails->setText(strDetails);
    const QFontMetrics fm(font());
    pDetails->setFixedWidth(fm.averageCharWidth() * 48);
    auto* pTexts = new QVBoxLayout;
    pTexts->addWidget(pText);
    pTexts->addWidget(pDetails);
    pTexts->addStretch();
    auto* pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(pOk);
    pButtons->addStretch();
    pLayout->addWidget(pIcon);
    pLayout->addSpacing(8);
    pLayout->addLayout(pTexts, 1);
    pLayout->addLayout(pButtons);
}
