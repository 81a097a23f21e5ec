#include "app/frame/CDrawnIconEngine.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

CDrawnIconEngine::CDrawnIconEngine(QSize sizeCanvas, Draw draw)
    : m_sizeCanvas(sizeCanvas), m_draw(std::move(draw)) {}

void CDrawnIconEngine::paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State) {
    if (m_sizeCanvas.isEmpty() || rect.isEmpty())
        return;
    // The canvas keeps its proportions, centred in the rectangle.
    const qreal scale = std::min(rect.width() / qreal(m_sizeCanvas.width()),
                                 rect.height() / qreal(m_sizeCanvas.height()));
    pPainter->save();
    pPainter->setRenderHint(QPainter::Antialiasing, true);
    pPainter->setRenderHint(QPainter::TextAntialiasing, true);
    pPainter->translate(rect.x() + (rect.width() - m_sizeCanvas.width() * scale) / 2,
                        rect.y() + (rect.height() - m_sizeCanvas.height() * scale) / 2);
    pPainter->scale(scale, scale);
    if (mode == QIcon::Disabled)
        pPainter->setOpacity(0.35);
    m_draw(*pPainter);
    pPainter->restore();
}

QPixmap CDrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap CDrawnIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                       qreal scale) {
    // QIcon asks in device pixels already, with the ratio they are for.
    const QSize sizePixels = size.expandedTo(QSize(1, 1));
    QPixmap pixmap(sizePixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), sizePixels), mode, state);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QSize CDrawnIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return size;
}

QIconEngine* CDrawnIconEngine::clone() const {
    return new CDrawnIconEngine(m_sizeCanvas, m_draw);
}
