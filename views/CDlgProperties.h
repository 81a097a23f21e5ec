#pragma once

#include <QDialog>

class QLineEdit;

// "Properties": the width and height of a diagram's page in pixels. The caller sets
// the members before opening it and reads them after OK.
class CDlgProperties : public QDialog {
    Q_OBJECT

public:
    // The ids of the two edits, kept as their object names.
    static constexpr int IDC_WIDTH = 1050;
    static constexpr int IDC_HEIGHT = 1051;

    explicit CDlgProperties(QWidget* pParent = nullptr);

    int exec() override;
    void accept() override;

    int m_nWidth = 0;
    int m_nHeight = 0;

private:
    QLineEdit* m_pEditWidth = nullptr;
    QLineEdit* m_pEditHeight = nullptr;
};
