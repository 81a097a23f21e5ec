#pragma once

#include "app/bars/CDlgPropertiesBar.h"
#include "app/bars/PropertiesPageTools.h"

#include <string>

class CPNLabel;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

// What the condition and event pages share: the name of the element (its name label)
// in a one-line edit, the "..." button for a name of several lines, and "Show name".
class CDlgPropertiesNameBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    static constexpr int IDC_NAME = 1025;
    static constexpr int IDC_SET_NAME = 1015;
    static constexpr int IDC_SHOW_NAME = 1023;

    // Replaces the "Set text" dialog the "..." button opens.
    void SetTextPrompt(TextPrompt prompt) { m_textPrompt = std::move(prompt); }

    CPNLabel* GetLabel() const { return m_pLabel; }

protected:
    // nWhat is what every name change tells the view (2 event, 3 condition).
    CDlgPropertiesNameBar(const QString& strCaption, int nWhat, QWidget* pParent);

    // Shows the element's name and "Show name"; null empties the page.
    void FillName(CPNElement* pElement, CPNLabel* pLabel);
    QFormLayout* GetForm() const { return m_pForm; }

private:
    void ShowName(const std::string& strName);
    void OnNameChanged(const QString& strText);
    void OnSetName();
    void OnShowName(int nIndex);

    const int m_nWhat;
    CPNElement* m_pNamed = nullptr;
    CPNLabel* m_pLabel = nullptr;
    std::string m_strName;
    // The name the element had when the page was filled: what its edits are named after.
    std::string m_strNamed;
    // The next change of the name edit is the page's own writing, not the user's.
    bool m_bFromPage = false;
    TextPrompt m_textPrompt = RunSetTextDialog;

    QFormLayout* m_pForm = nullptr;
    QLineEdit* m_pNameEdit = nullptr;
    QPushButton* m_pSetName = nullptr;
    QComboBox* m_pShowName = nullptr;
};
