#include "app/frame/CStartPage.h"

#include "app/frame/ToolBarIcons.h"

#include <QCommandLinkButton>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Heading(const QString& strText, QWidget* pParent) {
    auto* pLabel = new QLabel(strText, pParent);
    QFont font = pLabel->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    pLabel->setFont(font);
    return pLabel;
}

} // namespace

CStartPage::CStartPage(const std::vector<std::pair<std::string, std::string>>& examples,
                       const QStringList& recentFiles, QWidget* pParent)
    : QWidget(pParent) {
    setObjectName(QStringLiteral("StartPage"));
    setAccessibleName(QStringLiteral("Start Page"));
    setAutoFillBackground(true);
    auto* pOuter = new QVBoxLayout(this);
    auto* pColumn = new QWidget(this);
    pColumn->setMaximumWidth(720);
    auto* pLayout = new QVBoxLayout(pColumn);
    pOuter->addStretch(1);
    auto* pCentre = new QHBoxLayout;
    pCentre->addStretch(1);
    pCentre->addWidget(pColumn, 4);
    pCentre->addStretch(1);
    pOuter->addLayout(pCentre);
    pOuter->addStretch(2);

    auto* pTitleRow = new QHBoxLayout;
    auto* pIcon = new QLabel(pColumn);
    pIcon->setPixmap(ApplicationIcon().pixmap(48, 48));
    pTitleRow->addWidget(pIcon);
    auto* pTitle = new QLabel(
        QStringLiteral("<b style=\"font-size:x-large\">Zerin</b><br>Condition/event nets: "
                       "draw them, test them, play the token game, explore every case."),
        pColumn);
    pTitle->setWordWrap(true);
    pTitleRow->addWidget(pTitle, 1);
    pLayout->addLayout(pTitleRow);
    pLayout->addSpacing(16);

    auto* pStart = new QHBoxLayout;
    auto addButton = [&](const QString& strText, void (CStartPage::*signal)()) {
        auto* pButton = new QPushButton(strText, pColumn);
        connect(pButton, &QPushButton::clicked, this, signal);
        pStart->addWidget(pButton);
        return pButton;
    };
    addButton(QStringLiteral("New Net"), &CStartPage::NewRequested)->setDefault(true);
    addButton(QStringLiteral("Open..."), &CStartPage::OpenRequested);
    addButton(QStringLiteral("Import PNML..."), &CStartPage::ImportRequested);
    pStart->addStretch(1);
    pLayout->addLayout(pStart);
    pLayout->addSpacing(16);

    pLayout->addWidget(Heading(QStringLiteral("Example nets"), pColumn));
    for (const auto& [strName, strDescription] : examples) {
        auto* pButton = new QCommandLinkButton(QString::fromStdString(strName),
                                               QString::fromStdString(strDescription), pColumn);
        const QString strExample = QString::fromStdString(strName);
        connect(pButton, &QCommandLinkButton::clicked, this,
                [this, strExample] { emit ExampleRequested(strExample); });
        pLayout->addWidget(pButton);
    }

    if (!recentFiles.isEmpty()) {
        pLayout->addSpacing(16);
        pLayout->addWidget(Heading(QStringLiteral("Recent files"), pColumn));
        for (int i = 0; i < recentFiles.size(); ++i) {
            const QFileInfo info(recentFiles[i]);
            auto* pButton = new QCommandLinkButton(
                info.fileName(), QDir::toNativeSeparators(info.absolutePath()), pColumn);
            connect(pButton, &QCommandLinkButton::clicked, this,
                    [this, i] { emit RecentRequested(i); });
            pLayout->addWidget(pButton);
        }
    }
}
