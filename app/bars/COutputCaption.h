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
    // Dragging the strip changes the bar's height: the caption follows the cursor.
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

signals:
    // The cursor's vertical screen position while the strip is dragged.
    void Dragged(int nGlobalY);

private:
    bool m_bResizing = false;
};
