#include "TestNet.h"
#include "model/CPNCondition.h"
#include "platform/CQtDC.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGrey = 0xFF808080;

// An image with a painter and a context over it; the context goes before the painter.
struct Canvas {
    explicit Canvas(QRgb background = kWhite, int size = 100)
        : image(size, size, QImage::Format_RGB32) {
        image.fill(background);
        painter = std::make_unique<QPainter>(&image);
        dc = std::make_unique<CQtDC>(*painter);
    }
    QImage& Finish() {
        dc.reset();
        painter.reset();
        return image;
    }
    QRgb At(int x, int y) { return Finish().pixel(x, y); }

    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<CQtDC> dc;
};

// The smallest rectangle holding every pixel of the colour, as (l, t, r, b) with r
// and b exclusive; empty when there is none.
CRect Extent(const QImage& image, QRgb colour) {
    CRect r;
    bool any = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) {
                if (!any)
                    r = CRect(x, y, x + 1, y + 1);
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
                any = true;
            }
    return r;
}

int CountRow(const QImage& image, int y, QRgb colour) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += image.pixel(x, y) == colour;
    return n;
}

bool IsDark(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c) < 3 * 100;
}

} // namespace

TEST(QtDCTest, ConditionWithTokenIsABlackCircleAroundABlueDot) {
    Canvas canvas;
    CPNCondition condition(50, 50, nullptr);
    condition.m_bToken = 1;
    condition.Draw(*canvas.dc);
    QImage& image = canvas.Finish();

    EXPECT_EQ(image.pixel(50, 50), qRgb(0, 0, 255));
    // The dot Ellipse(46, 46, 54, 54) covers 46..53.
    EXPECT_EQ(Extent(image, qRgb(0, 0, 255)), CRect(46, 46, 54, 54));
    // The circle Ellipse(35, 35, 65, 65) covers 35..64; inside it stays white.
    EXPECT_EQ(Extent(image, kBlack), CRect(35, 35, 65, 65));
    EXPECT_EQ(image.pixel(40, 50), kWhite);
    EXPECT_EQ(image.pixel(50, 60), kWhite);
}

TEST(QtDCTest, MarkedConditionWithoutTokenShowsARingInTheCurrentBrush) {
    Canvas canvas(kGrey);
    CPNCondition condition(50, 50, nullptr);
    condition.m_bMarked = true;
    condition.Draw(*canvas.dc);
    QImage& image = canvas.Finish();
    EXPECT_EQ(image.pixel(50, 50), kWhite);
    EXPECT_EQ(image.pixel(46, 50), qRgb(0, 0, 255));
}

TEST(QtDCTest, RectangleCoversLeftToRightMinusOne) {
    Canvas canvas(kGrey);
    canvas.dc->Rectangle(10, 20, 30, 40);
    QImage& image = canvas.Finish();
    EXPECT_EQ(Extent(image, kBlack), CRect(10, 20, 30, 40));
    EXPECT_EQ(Extent(image, kWhite), CRect(11, 21, 29, 39));
    // Both ends of each side are drawn: the four corners.
    EXPECT_EQ(image.pixel(10, 20), kBlack);
    EXPECT_EQ(image.pixel(29, 20), kBlack);
    EXPECT_EQ(image.pixel(29, 39), kBlack);
    EXPECT_EQ(image.pixel(10, 39), kBlack);
    EXPECT_EQ(image.pixel(30, 30), kGrey);
}

TEST(QtDCTest, HollowBrushAndNullPen) {
    Canvas canvas(kGrey);
    canvas.dc->SelectStockBrush(HOLLOW_BRUSH);
    canvas.dc->Rectangle(10, 10, 20, 20);
    CPen none(PS_NULL, 1, 0);
    CBrush red(RGB(255, 0, 0));
    canvas.dc->SelectObject(&none);
    canvas.dc->SelectObject(&red);
    canvas.dc->Ellipse(40, 40, 60, 60);
    QImage& image = canvas.Finish();
    EXPECT_EQ(image.pixel(15, 15), kGrey);
    EXPECT_EQ(image.pixel(10, 15), kBlack);
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(Extent(image, kBlack), CRect(10, 10, 20, 20));
}

TEST(QtDCTest, PolygonWithTheBlackStockBrushIsFilled) {
    Canvas canvas;
    canvas.dc->SelectStockBrush(BLACK_BRUSH);
    CPoint triangle[3] = {CPoint(10, 10), CPoint(50, 10), CPoint(30, 40)};
    canvas.dc->Polygon(triangle, 3);
    EXPECT_EQ(canvas.At(30, 20), kBlack);
    EXPECT_EQ(canvas.image.pixel(10, 30), kWhite);
}

TEST(QtDCTest, LinesLeaveOutTheirEndPixel) {
    Canvas canvas;
    canvas.dc->MoveTo(10, 50);
    canvas.dc->LineTo(90, 50);
    canvas.dc->LineTo(90, 80);
    QImage& image = canvas.Finish();
    EXPECT_EQ(CountRow(image, 50, kBlack), 81); // 10..89, then 90 by the second line
    EXPECT_EQ(image.pixel(90, 79), kBlack);
    EXPECT_EQ(image.pixel(90, 80), kWhite);
    EXPECT_EQ(image.pixel(9, 50), kWhite);
}

TEST(QtDCTest, PenStylesAndWidths) {
    Canvas canvas;
    CPen dash(PS_DASH, 1, 0);
    CPen dot(PS_DOT, 1, 0);
    CPen wide(PS_SOLID, 3, RGB(255, 0, 0));
    canvas.dc->SelectObject(&dash);
    canvas.dc->MoveTo(0, 10);
    canvas.dc->LineTo(100, 10);
    canvas.dc->SelectObject(&dot);
    canvas.dc->MoveTo(0, 20);
    canvas.dc->LineTo(100, 20);
    canvas.dc->SelectObject(&wide);
    canvas.dc->MoveTo(10, 50);
    canvas.dc->LineTo(90, 50);
    QImage& image = canvas.Finish();

    int dashed = CountRow(image, 10, kBlack);
    int dotted = CountRow(image, 20, kBlack);
    EXPECT_TRUE(dashed > 50 && dashed < 100) << dashed; // mostly ink, with gaps
    EXPECT_TRUE(dotted > 30 && dotted < 70) << dotted;  // about half
    EXPECT_EQ(image.pixel(0, 10), kBlack);              // a dash starts the line
    EXPECT_EQ(image.pixel(20, 10), kWhite);             // and the first gap follows after 18
    for (int y = 49; y <= 51; ++y)
        EXPECT_EQ(image.pixel(50, y), qRgb(255, 0, 0)) << y;
    EXPECT_TRUE(image.pixel(50, 47) == kWhite && image.pixel(50, 53) == kWhite);
}

TEST(QtDCTest, InvertingLinesAndRubberBandsEraseThemselves) {
    Canvas canvas;
    CPoint shape[4] = {CPoint(20, 20), CPoint(70, 25), CPoint(60, 70), CPoint(25, 60)};
    CBrush blue(RGB(0, 0, 255));
    canvas.dc->SelectObject(&blue);
    canvas.dc->Polygon(shape, 4);
    canvas.Finish();
    const QImage before = canvas.image.copy();

    auto xorDraw = [](QImage& image, bool rectangleToo) {
        QPainter painter(&image);
        CQtDC dc(painter);
        int old = dc.SetROP2(R2_NOT);
        dc.MoveTo(5, 90);
        dc.LineTo(95, 7);
        if (rectangleToo) {
            dc.SelectStockBrush(HOLLOW_BRUSH);
            dc.Rectangle(90, 80, 15, 10); // corners in any order, as a rubber band
        }
        dc.SetROP2(old);
    };
    QImage once = before.copy();
    xorDraw(once, true);
    EXPECT_NE(once, before);
    // On white, inverting gives black: the line's start and the band's four corners.
    for (CPoint p : {CPoint(5, 90), CPoint(15, 10), CPoint(89, 10), CPoint(89, 79), CPoint(15, 79)})
        EXPECT_EQ(once.pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
    // Whatever was drawn over is inverted, the blue of the polygon as well.
    int changed = 0;
    for (int y = 0; y < once.height(); ++y)
        for (int x = 0; x < once.width(); ++x)
            if (once.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_EQ(once.pixel(x, y) & 0xFFFFFF, ~before.pixel(x, y) & 0xFFFFFF);
            }
    // 90 line pixels and the 286 of the band's outline, less the few where they cross.
    EXPECT_NEAR(changed, 90 + 286, 6);
    EXPECT_NE(Extent(once, qRgb(255, 255, 0)), CRect());

    QImage twice = before.copy();
    xorDraw(twice, true);
    xorDraw(twice, true);
    EXPECT_EQ(twice, before);
}

TEST(QtDCTest, TextBackgroundOpaqueOrTransparent) {
    auto draw = [](int mode) {
        Canvas canvas(kGrey, 120);
        canvas.dc->SetBkMode(mode);
        canvas.dc->SetBkColor(RGB(255, 255, 0));
        canvas.dc->SetTextColor(RGB(0, 0, 0));
        canvas.dc->TextOut(10, 20, "Hello");
        CSize size = canvas.dc->GetTextExtent("Hello");
        QImage image = canvas.Finish();
        return std::make_pair(image, size);
    };
    auto [opaque, size] = draw(OPAQUE);
    // The cell is filled from its top-left corner (10, 20), text inside it.
    EXPECT_EQ(Extent(opaque, qRgb(255, 255, 0)), CRect(10, 20, 10 + size.cx, 20 + size.cy));
    auto [transparent, size2] = draw(TRANSPARENT);
    EXPECT_TRUE(Extent(transparent, qRgb(255, 255, 0)).IsRectEmpty());
    int dark = 0;
    for (int y = 0; y < transparent.height(); ++y)
        for (int x = 0; x < transparent.width(); ++x)
            if (IsDark(transparent.pixel(x, y))) {
                ++dark;
                EXPECT_TRUE(CRect(10, 20, 10 + size.cx, 20 + size.cy).PtInRect(CPoint(x, y)))
                    << x << "," << y;
            }
    EXPECT_GT(dark, 10);
}

TEST(QtDCTest, PixelsAndSolidFillsIgnoreTheRasterOperation) {
    Canvas canvas;
    canvas.dc->SetROP2(R2_NOT);
    canvas.dc->SetPixel(3, 4, RGB(128, 128, 128));
    canvas.dc->FillSolidRect(CRect(20, 30, 10, 25), RGB(0, 255, 0)); // unnormalised
    QImage& image = canvas.Finish();
    EXPECT_EQ(Extent(image, kGrey), CRect(3, 4, 4, 5));
    EXPECT_EQ(Extent(image, qRgb(0, 255, 0)), CRect(10, 25, 20, 30));
}

TEST(QtDCTest, DevicesWithoutRasterOperationsDrawPlainly) {
    QSvgGenerator svg;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(100, 100));
    {
        QPainter painter(&svg);
        CQtDC dc(painter);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(0, 0);
        dc.LineTo(50, 50);
    }
    EXPECT_TRUE(bytes.contains("polyline") || bytes.contains("<line") || bytes.contains("path"))
        << bytes.toStdString();
}

TEST(QtDCTest, PainterStateIsRestored) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QColor(1, 2, 3));
    {
        CQtDC dc(painter);
        CPen red(PS_SOLID, 2, RGB(255, 0, 0));
        dc.SelectObject(&red);
        dc.SetROP2(R2_NOT);
        dc.Rectangle(1, 1, 5, 5);
    }
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
}
