#include "app/controls/CThemeButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

CThemeButton::CThemeButton(QWidget* pParent) : QToolButton(pParent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    SetType(TYPE_DROPDOWN);
}

void CThemeButton::SetType(int nType) {
    m_nType = nType;
    if (nType == TYPE_UP) {
        setArrowType(Qt::UpArrow);
    } else if (nType == TYPE_DOWN) {
        setArrowType(Qt::DownArrow);
    } else {
        // The drop-down arrow is painted as the arrow part of a drop-down button.
        setArrowType(Qt::NoArrow);
    }
    updateGeometry();
    update();
}

QSize CThemeButton::sizeHint() const {
    const int nExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QSize(nExtent, nExtent);
}

void CThemeButton::enterEvent(QEnterEvent* pEvent) {
    m_bHot = true;
    update();
    QToolButton::enterEvent(pEvent);
}

void CThemeButton::leaveEvent(QEvent* pEvent) {
    m_bHot = false;
    update();
    QToolButton::leaveEvent(pEvent);
}

void CThemeButton::paintEvent(QPaintEvent* pEvent) {
    if (m_nType == TYPE_UP || m_nType == TYPE_DOWN) {
        QToolButton::paintEvent(pEvent);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    if (m_bHot) {
        option.state |= QStyle::State_MouseOver;
    }
    option.rect = rect();
    painter.drawPrimitive(QStyle::PE_IndicatorButtonDropDown, option);
    QStyleOption arrow = option;
    const int nInset = rect().width() / 4;
    arrow.rect = rect().adjusted(nInset, nInset, -nInset, -nInset);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
}
