#pragma once

#include "platform/CMeasureDC.h"

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QStaticText>

#include <memory>

class CImageLineRaster;
class QImage;
class QPainter;
class QPen;
class QBrush;

// The device context over a painter the caller owns, on any paint device (a widget, an
// image, an SVG or PDF generator). It keeps the platform's pixel rules: without
// antialiasing, a rectangle or ellipse (l, t, r, b) covers the pixels l..r-1 x t..b-1,
// a line leaves out its end pixel, text is placed by the top-left corner of its cell.
// R2_NOT inverts the destination where the device can (images, widgets); elsewhere it
// draws plainly. The painter's state is restored when the context goes; its transform
// and clip must stay as they were while the context lives.
class CQtDC : public CMeasureDC {
public:
    explicit CQtDC(QPainter& painter);
    ~CQtDC() override;

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CPoint* points, int count) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void TextOut(int x, int y, const std::string& text) override;

    // The Qt forms of the platform's objects.
    static QPen MakeQPen(const CPen& pen);
    static QBrush MakeQBrush(const CBrush& brush);

protected:
    void DrawLine(CPoint from, CPoint to) override;

private:
    // Pen, brush and raster operation of the context, for an outline or a fill.
    void ApplyShapeState();
    // Plain drawing for pixels, fills and text, which the raster operation leaves alone.
    void ApplyCopyMode();
    void SetInverting(bool bInvert);
    void PrepareLineRaster();
    // The kept layouts of texts in a font, and one text laid out from them.
    static QHash<QString, QStaticText>& TextLayouts(const QFont& font);
    static const QStaticText& LaidOut(QHash<QString, QStaticText>& texts, const QFont& font,
                                      const QString& text);
    // Whether a shape within the logical bounds cannot touch the image's clip.
    bool IsOutsideClip(int left, int top, int right, int bottom) const;

    // What was last handed to the painter.
    struct ShapeState {
        int penStyle;
        int penWidth;
        COLORREF penColour;
        bool brushHollow;
        COLORREF brushColour;
        bool operator==(const ShapeState&) const = default;
    };
    enum { MODE_UNKNOWN, MODE_COPY, MODE_INVERT };

    QPainter& m_painter;
    bool m_bCanInvert = false;
    bool m_bShapeApplied = false;
    ShapeState m_shapeApplied{};
    int m_nModeApplied = MODE_UNKNOWN;
    // The fast path for one-pixel lines on an image, with the painter's offset.
    std::unique_ptr<CImageLineRaster> m_pLineRaster;
    QImage* m_pImage = nullptr;
    QPoint m_ptRasterOffset;
    QRect m_rectRasterClip;
    // The font and colour last set for text.
    bool m_bTextApplied = false;
    QFont m_fontTextApplied;
    COLORREF m_crTextApplied = 0;
    QHash<QString, QStaticText>* m_pTextLayouts = nullptr;
};
