#pragma once

#include <QLineEdit>

// A one-line edit for unsigned numbers: it takes the digits 0 to 9 and backspace from
// the keyboard and drops every other typed character; pasted or dropped text that is
// not all digits is refused.
class CNumEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CNumEdit(QWidget* pParent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
};
