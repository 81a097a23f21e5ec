#pragma once

#include <QApplication>

#include <memory>

class CMainFrame;

// The program: where its settings live, the main window with its document, and the
// command line (a .zrn file given there is opened).
class CZerinApp : public QApplication {
    Q_OBJECT

public:
    CZerinApp(int& argc, char** argv);
    ~CZerinApp() override;

    // Creates and shows the main window; false when the program cannot start.
    bool InitInstance();

private:
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
