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
