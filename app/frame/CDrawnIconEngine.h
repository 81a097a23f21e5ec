#pragma once

#include <QIconEngine>

#include <functional>

class QPainter;

// An icon drawn in code on a canvas of a fixed logical size, scaled to whatever size
// and device pixel ratio it is asked for, so that it stays sharp on every screen and
// at every toolbar size the style chooses. A disabled icon is drawn faded.
class CDrawnIconEngine : public QIconEngine {
public:
    using Draw = std::function<void(QPainter&)>;

    CDrawnIconEngine(QSize sizeCanvas, Draw draw);

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("CDrawnIconEngine"); }

private:
    QSize m_sizeCanvas;
    Draw m_draw;
};
