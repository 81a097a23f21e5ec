#pragma once

#include <QDialog>

// "About Zerin": the program's icon, its name and version, the Qt it was built with and
// runs on, its licence, the project's home, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    static QString Licence();
    // Where the project publishes the program (named when it is built); empty when the
    // build names none.
    static QString HomePage();
};
