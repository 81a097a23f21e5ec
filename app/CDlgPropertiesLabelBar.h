#pragma once

#include "app/CDlgPropertiesBar.h"

// The properties page of a label.
class CDlgPropertiesLabelBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    explicit CDlgPropertiesLabelBar(QWidget* pParent = nullptr);
};
