#pragma once

#include <QWidget>

// The output bar's caption strip: "Output" in bold on the active caption colour. It
// is the bar's title bar, and its grip; a double click on it does nothing.
class COutputCaption : public QWidget {
    Q_OBJECT

public:
    static constexpr int HEIGHT = 21;

    explicit COutputCaption(QWidget* pParent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
};
