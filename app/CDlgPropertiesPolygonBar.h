#pragma once

#include "app/CDlgPropertiesBar.h"

// The properties page of a polygon.
class CDlgPropertiesPolygonBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    explicit CDlgPropertiesPolygonBar(QWidget* pParent = nullptr);
};
