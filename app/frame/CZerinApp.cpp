#include "app/frame/CZerinApp.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CRecoveryService.h"

#include <QCommandLineParser>
#include <QScreen>

CZerinApp::CZerinApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("Korvane"));
    setApplicationName(QStringLiteral("Zerin"));
    setApplicationVersion(QStringLiteral("1.65"));
    // The platform ends every window's title with it unless the title does: "Go to Case
    // — Zerin", but "About Zerin" and the main window's "name - Zerin" as they are. The
    // version is the About box's.
    setApplicationDisplayName(QStringLiteral("Zerin"));
}

CZerinApp::~CZerinApp() = default;

bool CZerinApp::InitInstance() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Condition/event nets"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A Zerin file to open."),
                                 QStringLiteral("[file.zrn]"));
    parser.process(*this);
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        parser.showHelp(1);
        return false;
    }

    m_pMainFrame = std::make_unique<CMainFrame>();
    // Without a window manager to maximise it, the window still covers the screen.
    if (const QScreen* pScreen = primaryScreen())
        m_pMainFrame->setGeometry(pScreen->availableGeometry());
    m_pMainFrame->showMaximized();
    // What a run that ended out of order left is offered first.
    if (m_pMainFrame->GetRecovery().OfferLeftOver())
        return true;
    if (args.isEmpty()) {
        m_pMainFrame->OnFileNew();
        // Something to do at once: new, open, import, the examples, the recent files.
        m_pMainFrame->ShowStartPage();
    } else
        m_pMainFrame->OpenDocumentFile(args.first());
    return true;
}
