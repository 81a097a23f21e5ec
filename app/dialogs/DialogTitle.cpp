#include "app/dialogs/DialogTitle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

namespace {
// The title bar's buttons and margins, which no window manager tells a program.
constexpr int kTitleBarRoom = 130;
} // namespace

int TitleWidth(const QWidget& window) {
    QString strTitle = window.windowTitle();
    strTitle.remove(QStringLiteral("[*]"));
    const QString strProgram = QGuiApplication::applicationDisplayName();
    if (!strProgram.isEmpty() && !strTitle.contains(strProgram))
        strTitle += QStringLiteral(" \u2014 ") + strProgram;
    // Title bars set their text in a bold face of the desktop's font.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(strTitle) + kTitleBarRoom;
}

void FitToTitle(QWidget& dialog) {
    const int nWidth = TitleWidth(dialog);
    if (dialog.width() >= nWidth)
        return;
    // A dialog of a fixed size keeps its height and grows as wide as its title.
    dialog.setMaximumWidth(std::max(dialog.maximumWidth(), nWidth));
    dialog.setMinimumWidth(nWidth);
    dialog.resize(nWidth, dialog.height());
}
