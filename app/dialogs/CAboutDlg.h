#pragma once

#include <QDialog>

// "About Zerin": the program's icon, its name and version, the Qt it was built with and
// runs on, its licence, where its source lives, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    static QString Licence();
    // Where the source of this build lives (set when it is built); empty when unknown.
    static QString SourceLocation();
};
