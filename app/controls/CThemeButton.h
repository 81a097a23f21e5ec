#pragma once

#include <QToolButton>

// A small arrow button: type 1 an up arrow, 2 a down arrow, 3 (and anything else) a
// drop-down arrow. The style draws it, hot while the mouse is over it.
class CThemeButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr int TYPE_UP = 1;
    static constexpr int TYPE_DOWN = 2;
    static constexpr int TYPE_DROPDOWN = 3;

    explicit CThemeButton(QWidget* pParent = nullptr);

    void SetType(int nType);

    QSize sizeHint() const override;

protected:
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    int m_nType = TYPE_DROPDOWN;
    bool m_bHot = false;
};
