#include "app/bars/COutputCaption.h"

#include <QMouseEvent>
#include <QPainter>

COutputCaption::COutputCaption(QWidget* pParent) : QWidget(pParent) {
    setFixedHeight(HEIGHT);
    setCursor(Qt::SizeVerCursor);
}

QSize COutputCaption::sizeHint() const {
    // The dock widget sizes its title bar from the hint, not from the fixed height.
    return {40, HEIGHT};
}

void COutputCaption::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    // The strip from (3, 2) to (width - 4, 18).
    const QRect strip(QPoint(3, 2), QPoint(width() - 5, 17));
    painter.fillRect(strip, pal.color(QPalette::Active, QPalette::Highlight));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(pal.color(QPalette::Active, QPalette::HighlightedText));
    painter.drawText(QRect(QPoint(7, 3), QPoint(strip.right() - 2, strip.bottom())),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Output"));
}

void COutputCaption::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    pEvent->accept();
}

void COutputCaption::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(pEvent);
    m_bResizing = true;
    pEvent->accept();
}

void COutputCaption::mouseMoveEvent(QMouseEvent* pEvent) {
    if (m_bResizing)
        emit Dragged(pEvent->globalPosition().toPoint().y());
    pEvent->accept();
}

void COutputCaption::mouseReleaseEvent(QMouseEvent* pEvent) {
    m_bResizing = false;
    pEvent->accept();
}
