#include "app/CDlgPropertiesEventBar.h"

CDlgPropertiesEventBar::CDlgPropertiesEventBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Event"), pParent) {}
