#pragma once

#include <QDialog>

// "About Zerin": the program's icon, its name and version, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
