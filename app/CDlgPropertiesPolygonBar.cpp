#include "app/CDlgPropertiesPolygonBar.h"

CDlgPropertiesPolygonBar::CDlgPropertiesPolygonBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Polygon"), pParent) {}
