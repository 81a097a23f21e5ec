#include "app/bars/CDlgPropertiesBar.h"

CDlgPropertiesBar::CDlgPropertiesBar(const QString& strCaption, QWidget* pParent)
    : QDockWidget(strCaption, pParent) {
    setObjectName(strCaption);
}

void CDlgPropertiesBar::Change(CPNElement* pElement, int nMergeKey, int nWhat,
                               const std::string& strEdit, const std::function<void()>& change) {
    if (m_applier)
        m_applier(pElement, nMergeKey, strEdit, change);
    else
        change();
    emit PropertyChanged(nWhat);
}

QPoint CDlgPropertiesBar::GetFloatingOrigin() const {
    return window()->frameGeometry().topLeft();
}
