#pragma once

#include "app/bars/CDlgPropertiesNameBar.h"

class CPNEvent;

// The properties page of an event: its name and "Show name".
class CDlgPropertiesEventBar : public CDlgPropertiesNameBar {
    Q_OBJECT

public:
    explicit CDlgPropertiesEventBar(QWidget* pParent = nullptr);

    void SetElement(CPNElement* pElement) override;

private:
    CPNEvent* m_pEvent = nullptr;
};
