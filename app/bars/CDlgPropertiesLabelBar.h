#pragma once

#include "app/bars/CDlgPropertiesBar.h"
#include "app/bars/PropertiesPageTools.h"
#include "base/ColorRef.h"
#include "base/LogFont.h"

#include <string>

class CPNLabel;
class QLineEdit;
class QPushButton;

// The properties page of a label: its text and its font.
class CDlgPropertiesLabelBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    static constexpr int IDC_TEXT = 1011;
    static constexpr int IDC_FONT = 1012;
    static constexpr int IDC_SET_FONT = 1014;
    static constexpr int IDC_SET_TEXT = 1015;

    explicit CDlgPropertiesLabelBar(QWidget* pParent = nullptr);

    void SetElement(CPNElement* pElement) override;

    // Replaces the "Set text" dialog of 1015.
    void SetTextPrompt(TextPrompt prompt) { m_textPrompt = std::move(prompt); }

    CPNLabel* GetLabel() const { return m_pLabel; }

private:
    void ShowText(const std::string& strText);
    void OnTextChanged(const QString& strText);
    void OnSetText();
    void OnSetFont();

    CPNLabel* m_pLabel = nullptr;
    std::string m_strText;
    LOGFONT m_logFont;
    COLORREF m_crText = RGB(0, 0, 0);
    // The next change of the text edit is the page's own writing, not the user's.
    bool m_bFromPage = false;
    TextPrompt m_textPrompt = RunSetTextDialog;
    FontPrompt m_fontPrompt = RunFontDialog;

    QLineEdit* m_pTextEdit = nullptr;
    QPushButton* m_pSetText = nullptr;
    QLineEdit* m_pFontEdit = nullptr;
    QPushButton* m_pSetFont = nullptr;
};
