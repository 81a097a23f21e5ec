#include "cli/CCliApp.h"
#include "platform/QtPlatform.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

// Qt's own notices (a missing runtime folder on a headless machine) are no business of
// the command's caller; only its failures are passed on.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "zerin-cli: " << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QtMessage);
    // Fonts and their metrics need the application object, and no display.
    EnsureQtPlatform();
    QGuiApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    // Whatever else runs out of memory ends with a message, not an abort.
    try {
        return CCliApp::Run(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "zerin-cli: not enough memory\n";
        return 2;
    }
}
