#include "app/frame/ToolBarIcons.h"

#include "app/frame/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int W = 16;
constexpr int H = 15;

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kBlue(0, 0, 160);
const QColor kFolder(230, 190, 60);
const QColor kGreen(0, 150, 0);
const QColor kRed(190, 0, 0);

void DrawPage(QPainter& p) {
    const QPolygon page({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}});
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawPolyline(QPolygon({{10, 1}, {10, 4}, {13, 4}}));
}

void DrawFolder(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolder);
    p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {6, 5}, {13, 5}, {13, 13}, {1, 13}}));
    p.setBrush(kFolder.lighter(120));
    p.drawPolygon(QPolygon({{3, 7}, {15, 7}, {13, 13}, {1, 13}}));
}

void DrawDisk(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 9, 7, 5);
}

void DrawArrow(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygon({{4, 1}, {4, 12}, {7, 9}, {9, 14}, {11, 13}, {9, 8}, {13, 8}}));
}

void DrawCondition(QPainter& p, bool bToken) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(2.5, 1.5, 11, 11));
    if (bToken) {
        p.setBrush(kInk);
        p.drawEllipse(QRectF(6, 5, 4, 4));
    }
}

void DrawEvent(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 2.5, 11, 10));
}

void DrawEdge(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(2, 13), QPointF(12, 3));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(14, 1), QPointF(8, 3), QPointF(12, 7)}));
}

void DrawPolygonTool(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(255, 255, 160));
    p.drawPolygon(QPolygon({{2, 5}, {8, 1}, {14, 6}, {11, 13}, {4, 12}}));
}

void DrawLabel(QPainter& p) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRect(0, 0, W, H), Qt::AlignCenter, QStringLiteral("A"));
}

void DrawNet(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawLine(5, 7, 11, 7);
    p.drawEllipse(1, 4, 6, 6);
    p.drawRect(10, 4, 5, 6);
}

void DrawCaseGraph(QPainter& p) {
    p.setPen(kInk);
    p.drawLine(3, 3, 12, 7);
    p.drawLine(3, 3, 4, 12);
    p.drawLine(4, 12, 12, 7);
    p.setBrush(kBlue);
    p.drawEllipse(1, 1, 4, 4);
    p.drawEllipse(10, 5, 4, 4);
    p.drawEllipse(2, 10, 4, 4);
}

void DrawOccurrenceNet(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawLine(1, 7, 15, 7);
    p.drawEllipse(0, 4, 5, 5);
    p.drawRect(6, 4, 4, 6);
    p.drawEllipse(11, 4, 5, 5);
}

void DrawPlay(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({{4, 1}, {13, 7}, {4, 13}}));
}

void DrawStop(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawRect(3, 2, 10, 10);
}

void DrawLeaveFullScreen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 2, 13, 11);
    p.setBrush(kBlue);
    p.drawRect(1, 2, 13, 3);
    p.setBrush(kInk);
    p.drawRect(5, 8, 5, 3);
}

} // namespace

QIcon ToolBarIcon(int nId) {
    QPixmap pixmap(W, H);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (nId) {
    case Cmd::ID_FILE_NEW:
        DrawPage(p);
        break;
    case Cmd::ID_FILE_OPEN:
        DrawFolder(p);
        break;
    case Cmd::ID_FILE_SAVE:
        DrawDisk(p);
        break;
    case Cmd::ID_TOOL_SELECT:
        DrawArrow(p);
        break;
    case Cmd::ID_TOOL_CONDITION:
        DrawCondition(p, false);
        break;
    case Cmd::ID_TOOL_EVENT:
        DrawEvent(p);
        break;
    case Cmd::ID_TOOL_EDGE:
        DrawEdge(p);
        break;
    case Cmd::ID_TOOL_POLYGON:
        DrawPolygonTool(p);
        break;
    case Cmd::ID_TOOL_LABEL:
        DrawLabel(p);
        break;
    case Cmd::ID_TOOL_TOKEN:
        DrawCondition(p, true);
        break;
    case Cmd::ID_ENTER_SIMULATION:
        DrawPlay(p);
        break;
    case Cmd::ID_LEAVE_SIMULATION:
        DrawStop(p);
        break;
    case Cmd::ID_SHOW_NET_DESIGN:
        DrawNet(p);
        break;
    case Cmd::ID_SHOW_CASE_GRAPH:
        DrawCaseGraph(p);
        break;
    case Cmd::ID_SHOW_OCCURRENCE_NET:
        DrawOccurrenceNet(p);
        break;
    case Cmd::ID_LEAVE_FULL_SCREEN:
        DrawLeaveFullScreen(p);
        break;
    default:
        p.end();
        return QIcon();
    }
    p.end();
    return QIcon(pixmap);
}

QIcon ApplicationIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 2));
    p.drawLine(12, 16, 20, 16);
    p.setBrush(kPaper);
    p.drawEllipse(2, 9, 13, 13);
    p.setBrush(kInk);
    p.drawEllipse(6, 13, 5, 5);
    p.setBrush(QColor(160, 200, 255));
    p.drawRect(19, 8, 11, 16);
    p.end();
    // The installed icon (hicolor, scalable) where there is one; the same picture
    // drawn here otherwise.
    return QIcon::fromTheme(QStringLiteral("zerin"), QIcon(pixmap));
}
