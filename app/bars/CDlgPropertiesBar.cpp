#include "app/bars/CDlgPropertiesBar.h"

CDlgPropertiesBar::CDlgPropertiesBar(const QString& strCaption, QWidget* pParent)
    : QDockWidget(strCaption, pParent) {
    setObjectName(strCaption);
}

QPoint CDlgPropertiesBar::GetFloatingOrigin() const {
    return window()->frameGeometry().topLeft();
}
