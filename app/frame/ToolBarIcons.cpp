#include "app/frame/ToolBarIcons.h"

#include "app/frame/CDrawnIconEngine.h"
#include "views/CommandIds.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
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

// Strokes that stand on the bar itself rather than on a white shape take the colour of
// the window's text, so that they show on a dark bar as on a light one.
QColor Glyph() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

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
    p.setPen(QPen(Glyph(), 1.2));
    p.drawLine(QPointF(2, 13), QPointF(12, 3));
    p.setBrush(Glyph());
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
    p.setPen(Glyph());
    p.drawText(QRect(0, 0, W, H), Qt::AlignCenter, QStringLiteral("A"));
}

void DrawNet(QPainter& p) {
    p.setPen(Glyph());
    p.drawLine(5, 7, 11, 7);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawEllipse(1, 4, 6, 6);
    p.drawRect(10, 4, 5, 6);
}

void DrawCaseGraph(QPainter& p) {
    p.setPen(Glyph());
    p.drawLine(3, 3, 12, 7);
    p.drawLine(3, 3, 4, 12);
    p.drawLine(4, 12, 12, 7);
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawEllipse(1, 1, 4, 4);
    p.drawEllipse(10, 5, 4, 4);
    p.drawEllipse(2, 10, 4, 4);
}

void DrawOccurrenceNet(QPainter& p) {
    p.setPen(Glyph());
    p.drawLine(1, 7, 15, 7);
    p.setPen(kInk);
    p.setBrush(kPaper);
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

namespace {

// The drawing of a button's picture on its 16 x 15 canvas; null for an id without one.
CDrawnIconEngine::Draw DrawingOf(int nId) {
    switch (nId) {
    case Cmd::ID_FILE_NEW:
        return DrawPage;
    case Cmd::ID_FILE_OPEN:
        return DrawFolder;
    case Cmd::ID_FILE_SAVE:
        return DrawDisk;
    case Cmd::ID_TOOL_SELECT:
        return DrawArrow;
    case Cmd::ID_TOOL_CONDITION:
        return [](QPainter& p) { DrawCondition(p, false); };
    case Cmd::ID_TOOL_EVENT:
        return DrawEvent;
    case Cmd::ID_TOOL_EDGE:
        return DrawEdge;
    case Cmd::ID_TOOL_POLYGON:
        return DrawPolygonTool;
    case Cmd::ID_TOOL_LABEL:
        return DrawLabel;
    case Cmd::ID_TOOL_TOKEN:
        return [](QPainter& p) { DrawCondition(p, true); };
    case Cmd::ID_ENTER_SIMULATION:
        return DrawPlay;
    case Cmd::ID_LEAVE_SIMULATION:
        return DrawStop;
    case Cmd::ID_SHOW_NET_DESIGN:
        return DrawNet;
    case Cmd::ID_SHOW_CASE_GRAPH:
        return DrawCaseGraph;
    case Cmd::ID_SHOW_OCCURRENCE_NET:
        return DrawOccurrenceNet;
    case Cmd::ID_LEAVE_FULL_SCREEN:
        return DrawLeaveFullScreen;
    default:
        return nullptr;
    }
}

// The name of the desktop theme's icon for the commands every desktop has one for.
QString ThemeNameOf(int nId) {
    switch (nId) {
    case Cmd::ID_FILE_NEW:
        return QStringLiteral("document-new");
    case Cmd::ID_FILE_OPEN:
        return QStringLiteral("document-open");
    case Cmd::ID_FILE_SAVE:
        return QStringLiteral("document-save");
    case Cmd::ID_ENTER_SIMULATION:
        return QStringLiteral("media-playback-start");
    case Cmd::ID_LEAVE_SIMULATION:
        return QStringLiteral("media-playback-stop");
    case Cmd::ID_LEAVE_FULL_SCREEN:
        return QStringLiteral("view-restore");
    default:
        return QString();
    }
}

} // namespace

QIcon DrawnToolBarIcon(int nId) {
    const CDrawnIconEngine::Draw draw = DrawingOf(nId);
    if (!draw)
        return QIcon();
    return QIcon(new CDrawnIconEngine(QSize(W, H), draw));
}

QIcon ToolBarIcon(int nId) {
    const QIcon drawn = DrawnToolBarIcon(nId);
    const QString strTheme = ThemeNameOf(nId);
    if (drawn.isNull() || strTheme.isEmpty())
        return drawn;
    return QIcon::fromTheme(strTheme, drawn);
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
