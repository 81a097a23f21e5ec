#include "app/CDlgPropertiesConditionBar.h"

CDlgPropertiesConditionBar::CDlgPropertiesConditionBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Condition"), pParent) {}
