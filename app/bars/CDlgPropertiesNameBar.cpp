#include "app/bars/CDlgPropertiesNameBar.h"

#include "model/CPNLabel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CDlgPropertiesNameBar::CDlgPropertiesNameBar(const QString& strCaption, int nWhat, QWidget* pParent)
    : CDlgPropertiesBar(strCaption, pParent), m_nWhat(nWhat) {
    auto* pContent = new QWidget(this);
    m_pForm = new QFormLayout(pContent);

    m_pNameEdit = new QLineEdit(pContent);
    SetControlId(m_pNameEdit, IDC_NAME);
    m_pSetName = new QPushButton("...", pContent);
    SetControlId(m_pSetName, IDC_SET_NAME);
    m_pSetName->setAutoDefault(false);
    m_pSetName->setFixedWidth(m_pSetName->fontMetrics().horizontalAdvance("...") + 16);
    auto* pNameRow = new QHBoxLayout;
    pNameRow->addWidget(m_pNameEdit, 1);
    pNameRow->addWidget(m_pSetName);
    m_pForm->addRow("Name", pNameRow);

    m_pShowName = new QComboBox(pContent);
    SetControlId(m_pShowName, IDC_SHOW_NAME);
    m_pShowName->addItems({"Yes", "No"});
    m_pForm->addRow("Show name", m_pShowName);

    pContent->setMinimumWidth(DialogUnitsToPixelsX(pContent, 150));
    setWidget(pContent);

    connect(m_pNameEdit, &QLineEdit::textChanged, this, &CDlgPropertiesNameBar::OnNameChanged);
    connect(m_pSetName, &QPushButton::clicked, this, &CDlgPropertiesNameBar::OnSetName);
    connect(m_pShowName, &QComboBox::activated, this, &CDlgPropertiesNameBar::OnShowName);
}

void CDlgPropertiesNameBar::FillName(CPNElement* pElement, CPNLabel* pLabel) {
    m_pNamed = pElement;
    m_pLabel = pElement != nullptr ? pLabel : nullptr;
    m_strName = m_pLabel != nullptr ? m_pLabel->m_strText : std::string();
    m_strNamed = ToOneLine(m_strName).toStdString();
    ShowName(m_strName);
    m_pShowName->setCurrentIndex(m_pLabel == nullptr ? -1 : (m_pLabel->m_bVisible ? 0 : 1));
}

void CDlgPropertiesNameBar::ShowName(const std::string& strName) {
    m_bFromPage = true;
    m_pNameEdit->setText(ToOneLine(strName));
    // An unchanged text sends no change: the flag must not wait for the user's.
    m_bFromPage = false;
}

void CDlgPropertiesNameBar::OnNameChanged(const QString& strText) {
    if (m_bFromPage) {
        m_bFromPage = false;
        return;
    }
    // Without a name label the name has nowhere to go.
    if (m_pNamed == nullptr || m_pLabel == nullptr)
        return;
    m_strName = strText.toStdString();
    Change(m_pLabel, IDC_NAME, m_nWhat, "Rename " + m_strNamed,
           [this] { m_pLabel->m_strText = m_strName; });
}

void CDlgPropertiesNameBar::OnSetName() {
    if (m_pNamed == nullptr || m_pLabel == nullptr)
        return;
    CPNLabel* pLabel = m_pLabel;
    std::string strName = m_strName;
    const bool bAccepted = m_textPrompt(this, strName);
    m_pSetName->setDefault(false);
    // The page may have been given another element while the dialog was open.
    if (!bAccepted || m_pLabel != pLabel)
        return;
    m_strName = strName;
    ShowName(m_strName);
    Change(m_pLabel, 0, m_nWhat, "Rename " + m_strNamed,
           [this] { m_pLabel->m_strText = m_strName; });
}

void CDlgPropertiesNameBar::OnShowName(int nIndex) {
    if (m_pNamed == nullptr || m_pLabel == nullptr || nIndex < 0)
        return;
    Change(m_pLabel, 0, m_nWhat, (nIndex == 0 ? "Show Name of " : "Hide Name of ") + m_strNamed,
           [this, nIndex] { m_pLabel->m_bVisible = nIndex == 0; });
}
