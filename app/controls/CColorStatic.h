#pragma once

#include "base/ColorRef.h"

#include <QWidget>

// A swatch that shows one colour inside a thin white frame.
class CColorStatic : public QWidget {
    Q_OBJECT

public:
    explicit CColorStatic(QWidget* pParent = nullptr);

    // Stores the colour and repaints.
    void SetColor(COLORREF crColor);
    COLORREF GetColor() const { return m_crColor; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    COLORREF m_crColor = 0;
};
