#pragma once

#include "app/CDlgPropertiesBar.h"

// The properties page of a event.
class CDlgPropertiesEventBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    explicit CDlgPropertiesEventBar(QWidget* pParent = nullptr);
};
