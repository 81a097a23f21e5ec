#include "app/dialogs/CDlgFontColour.h"

#include "app/controls/CColorStatic.h"
#include "app/controls/CColourPopup.h"
#include "app/controls/ColourConversion.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDlgFontColour::CDlgFontColour(const QFont& font, const QColor& colour, QWidget* pParent)
    : QDialog(pParent) {
    setWindowTitle("Font");

    // The font chooser lives inside this dialog, without buttons of its own.
    m_pFontDialog = new QFontDialog(this);
    m_pFontDialog->setWindowFlags(Qt::Widget);
    m_pFontDialog->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_pFontDialog->setCurrentFont(font);
    // Enter and Escape inside the chooser end this dialog, not just the chooser.
    connect(m_pFontDialog, &QDialog::accepted, this, &QDialog::accept);
    connect(m_pFontDialog, &QDialog::rejected, this, &QDialog::reject);

    m_pSwatch = new CColorStatic(this);
    m_pSwatch->setFixedSize(36, 20);
    m_pSwatch->SetColor(ToColorRef(colour.isValid() ? colour : QColor(Qt::black)));
    m_pColourButton = new QPushButton("Color ...", this);
    m_pColourButton->setAutoDefault(false);
    connect(m_pColourButton, &QPushButton::clicked, this, &CDlgFontColour::OnChooseColour);

    auto* pColourRow = new QHBoxLayout;
    pColourRow->addWidget(new QLabel("Color:", this));
    pColourRow->addWidget(m_pSwatch);
    pColourRow->addWidget(m_pColourButton);
    pColourRow->addStretch(1);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pFontDialog, 1);
    pLayout->addLayout(pColourRow);
    pLayout->addWidget(pButtons);
}

QFont CDlgFontColour::GetFont() const {
    return m_pFontDialog->currentFont();
}

QColor CDlgFontColour::GetColour() const {
    return ToQColor(m_pSwatch->GetColor());
}

void CDlgFontColour::SetColour(COLORREF crColour) {
    m_pSwatch->SetColor(crColour);
}

void CDlgFontColour::OnChooseColour() {
    const QPoint pos = m_pColourButton->mapToGlobal(QPoint(0, m_pColourButton->height()));
    auto* pPopup =
        new CColourPopup(pos, m_pSwatch->GetColor(), m_pColourButton, QString(), "Custom color");
    connect(pPopup, &CColourPopup::ColourChosen, this,
            [this](COLORREF crColour, int) { SetColour(crColour); });
}
