#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

// The modal "Set text" dialog for a text of several lines. The caller sets m_strText
// (UTF-8) before exec and reads it back after OK ("Set").
class CDialogSetText : public QDialog {
    Q_OBJECT

public:
    explicit CDialogSetText(QWidget* pParent = nullptr);

    void accept() override;

    std::string m_strText;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QPlainTextEdit* m_pEdit = nullptr;
};
