#pragma once

#include "app/CDlgPropertiesBar.h"

// The properties page of a condition.
class CDlgPropertiesConditionBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    explicit CDlgPropertiesConditionBar(QWidget* pParent = nullptr);
};
