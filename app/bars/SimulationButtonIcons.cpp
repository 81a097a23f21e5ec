#include "app/bars/SimulationButtonIcons.h"

#include "app/bars/CDlgPropertiesSimulationBar.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kSize = 20;

QPolygonF Triangle(double left, double right) {
    return QPolygonF({QPointF(left, 4), QPointF(right, kSize / 2.0), QPointF(left, kSize - 4)});
}

// Reset: a bar and a triangle pointing back to it. Start: two triangles (a run of
// steps). Stop: a square. Step: a triangle against a bar.
void DrawPicture(QPainter& painter, int nId) {
    if (nId == Cmd::ID_SIM_RESET) {
        painter.drawRect(QRectF(4, 4, 2.5, kSize - 8));
        painter.drawPolygon(
            QPolygonF({QPointF(16, 4), QPointF(7, kSize / 2.0), QPointF(16, kSize - 4)}));
    } else if (nId == Cmd::ID_SIM_START) {
        painter.drawPolygon(Triangle(3, 10.5));
        painter.drawPolygon(Triangle(10, 17.5));
    } else if (nId == Cmd::ID_SIM_STOP) {
        painter.drawRect(QRectF(5, 5, kSize - 10, kSize - 10));
    } else {
        painter.drawPolygon(Triangle(4, 13));
        painter.drawRect(QRectF(13.5, 4, 2.5, kSize - 8));
    }
}

QPixmap MakePixmap(int nId, const QColor& colour) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    DrawPicture(painter, nId);
    return pixmap;
}

QColor NormalColour(int nId) {
    if (nId == Cmd::ID_SIM_STOP)
        return QColor(170, 20, 20);
    if (nId == Cmd::ID_SIM_RESET)
        return QColor(20, 40, 140);
    return QColor(0, 120, 40);
}

} // namespace

QIcon MakeSimulationButtonIcon(int nId) {
    QIcon icon;
    icon.addPixmap(MakePixmap(nId, NormalColour(nId)), QIcon::Normal);
    icon.addPixmap(MakePixmap(nId, NormalColour(nId).lighter(130)), QIcon::Active);
    icon.addPixmap(MakePixmap(nId, QColor(160, 160, 160)), QIcon::Disabled);
    return icon;
}
