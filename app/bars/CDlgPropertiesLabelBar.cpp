#include "app/bars/CDlgPropertiesLabelBar.h"

#include "app/controls/ColourConversion.h"
#include "model/CPNLabel.h"
#include "platform/QtFonts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* MakeEllipsisButton(QWidget* pParent, int nId) {
    auto* pButton = new QPushButton("...", pParent);
    SetControlId(pButton, nId);
    pButton->setAutoDefault(false);
    pButton->setFixedWidth(pButton->fontMetrics().horizontalAdvance("...") + 16);
    return pButton;
}

QHBoxLayout* MakeRow(QWidget* pEdit, QWidget* pButton) {
    auto* pRow = new QHBoxLayout;
    pRow->addWidget(pEdit, 1);
    pRow->addWidget(pButton);
    return pRow;
}

} // namespace

CDlgPropertiesLabelBar::CDlgPropertiesLabelBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Label"), pParent) {
    auto* pContent = new QWidget(this);
    auto* pForm = new QFormLayout(pContent);

    m_pTextEdit = new QLineEdit(pContent);
    SetControlId(m_pTextEdit, IDC_TEXT);
    m_pSetText = MakeEllipsisButton(pContent, IDC_SET_TEXT);
    pForm->addRow("Text", MakeRow(m_pTextEdit, m_pSetText));

    m_pFontEdit = new QLineEdit(pContent);
    SetControlId(m_pFontEdit, IDC_FONT);
    m_pFontEdit->setReadOnly(true);
    m_pSetFont = MakeEllipsisButton(pContent, IDC_SET_FONT);
    pForm->addRow("Font", MakeRow(m_pFontEdit, m_pSetFont));

    pContent->setMinimumWidth(DialogUnitsToPixelsX(pContent, 150));
    setWidget(pContent);

    connect(m_pTextEdit, &QLineEdit::textChanged, this, &CDlgPropertiesLabelBar::OnTextChanged);
    connect(m_pSetText, &QPushButton::clicked, this, &CDlgPropertiesLabelBar::OnSetText);
    connect(m_pSetFont, &QPushButton::clicked, this, &CDlgPropertiesLabelBar::OnSetFont);
}

void CDlgPropertiesLabelBar::SetElement(CPNElement* pElement) {
    m_pLabel = dynamic_cast<CPNLabel*>(pElement);
    if (m_pLabel != nullptr) {
        m_strText = m_pLabel->m_strText;
        m_logFont = m_pLabel->m_logFont;
        m_crText = m_pLabel->m_crText;
    } else {
        m_strText.clear();
        m_logFont = LOGFONT();
        m_crText = RGB(0, 0, 0);
    }
    ShowText(m_strText);
    m_pFontEdit->setText(m_pLabel != nullptr ? ToQString(m_logFont.lfFaceName) : QString());
}

void CDlgPropertiesLabelBar::ShowText(const std::string& strText) {
    m_bFromPage = true;
    m_pTextEdit->setText(ToOneLine(strText));
    // An unchanged text sends no change: the flag must not wait for the user's.
    m_bFromPage = false;
}

void CDlgPropertiesLabelBar::OnTextChanged(const QString& strText) {
    if (m_bFromPage) {
        m_bFromPage = false;
        return;
    }
    if (m_pLabel == nullptr)
        return;
    m_strText = strText.toStdString();
    Change(m_pLabel, IDC_TEXT, 1, "Edit Label", [this] { m_pLabel->m_strText = m_strText; });
}

void CDlgPropertiesLabelBar::OnSetText() {
    if (m_pLabel == nullptr)
        return;
    CPNLabel* pLabel = m_pLabel;
    std::string strText = m_strText;
    const bool bAccepted = m_textPrompt(this, strText);
    m_pSetText->setDefault(false);
    if (!bAccepted || m_pLabel != pLabel)
        return;
    m_strText = strText;
    ShowText(m_strText);
    Change(m_pLabel, 0, 1, "Edit Label", [this] { m_pLabel->m_strText = m_strText; });
}

void CDlgPropertiesLabelBar::OnSetFont() {
    if (m_pLabel == nullptr)
        return;
    CPNLabel* pLabel = m_pLabel;
    QFont font = MakeQFont(m_logFont);
    QColor colour = ToQColor(m_crText);
    const bool bAccepted = m_fontPrompt(this, font, colour);
    m_pSetFont->setDefault(false);
    if (!bAccepted || m_pLabel != pLabel)
        return;
    m_logFont = MakeLogFont(font, m_logFont);
    m_crText = ToColorRef(colour);
    m_pFontEdit->setText(ToQString(m_logFont.lfFaceName));
    Change(m_pLabel, 0, 1, "Font of Label", [this] {
        m_pLabel->m_crText = m_crText;
        m_pLabel->SetFont(m_logFont);
    });
}
