#include "app/controls/CColorStatic.h"

#include "app/controls/ColourConversion.h"

#include <QPainter>

CColorStatic::CColorStatic(QWidget* pParent) : QWidget(pParent) {}

void CColorStatic::SetColor(COLORREF crColor) {
    m_crColor = crColor;
    update();
}

QSize CColorStatic::sizeHint() const {
    return QSize(24, 16);
}

void CColorStatic::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.fillRect(rect().adjusted(1, 1, -1, -1), ToQColor(m_crColor));
}
