#include "app/CDlgPropertiesLabelBar.h"

CDlgPropertiesLabelBar::CDlgPropertiesLabelBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Label"), pParent) {}
