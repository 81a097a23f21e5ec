#pragma once

#include "app/bars/CDlgPropertiesNameBar.h"

class CPNCondition;
class QComboBox;

// The properties page of a condition: its name, "Show name" and "Initial token".
class CDlgPropertiesConditionBar : public CDlgPropertiesNameBar {
    Q_OBJECT

public:
    static constexpr int IDC_TOKEN = 1024;

    explicit CDlgPropertiesConditionBar(QWidget* pParent = nullptr);

    void SetElement(CPNElement* pElement) override;
    // Shows the condition's token again (the token tool or the simulation changed it).
    void UpdateToken();

private:
    void OnToken(int nIndex);

    CPNCondition* m_pCondition = nullptr;
    QComboBox* m_pToken = nullptr;
};
