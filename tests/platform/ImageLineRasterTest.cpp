#include "platform/CImageLineRaster.h"
#include "platform/CImagePolygonStamps.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kInk = 0xff102030;

QImage Blank() {
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

} // namespace

// A line clipped to a rectangle shows exactly the pixels of the whole line that lie in
// the rectangle, wherever the line starts and ends (far outside included).
TEST(ImageLineRasterTest, AClippedLineIsTheWholeLineCutToTheClip) {
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> coordinate(-400, 500);
    std::uniform_int_distribution<int> cx(0, 119), cy(0, 89);
    for (int i = 0; i < 800; ++i) {
        const int x0 = coordinate(gen), y0 = coordinate(gen);
        const int x1 = i % 3 == 0 ? x0 : coordinate(gen), y1 = coordinate(gen);
        QRect clip = QRect(QPoint(cx(gen), cy(gen)), QPoint(cx(gen), cy(gen))).normalized();
        QImage whole = Blank(), part = Blank();
        CImageLineRaster(whole, whole.rect()).Draw(x0, y0, x1, y1, kInk, false);
        CImageLineRaster(part, clip).Draw(x0, y0, x1, y1, kInk, false);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                ASSERT_EQ(part.pixel(x, y), clip.contains(x, y) ? whole.pixel(x, y) : kWhite)
                    << "line " << x0 << "," << y0 << " to " << x1 << "," << y1 << " at " << x << ","
                    << y;
    }
}

// The start pixel is drawn, the end pixel not, one pixel per step of the major axis;
// drawing twice inverted restores the picture.
TEST(ImageLineRasterTest, StartInEndOutOnePixelPerStepAndInversionUndoes) {
    struct Row {
        int x0, y0, x1, y1;
    };
    for (const Row& r :
         {Row{10, 10, 60, 10}, Row{60, 10, 10, 10}, Row{5, 80, 5, 3}, Row{10, 10, 50, 30},
          Row{50, 30, 10, 10}, Row{100, 5, 20, 85}, Row{30, 30, 31, 31}}) {
        QImage image = Blank();
        CImageLineRaster raster(image, image.rect());
        raster.Draw(r.x0, r.y0, r.x1, r.y1, kInk, false);
        EXPECT_EQ(image.pixel(r.x0, r.y0), kInk);
        EXPECT_EQ(image.pixel(r.x1, r.y1), kWhite);
        int count = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                count += image.pixel(x, y) == kInk ? 1 : 0;
        EXPECT_EQ(count, std::max(std::abs(r.x1 - r.x0), std::abs(r.y1 - r.y0)));

        const QImage drawn = image;
        raster.Draw(r.x0, r.y0, r.x1, r.y1, 0, true);
        raster.Draw(r.x0, r.y0, r.x1, r.y1, 0, true);
        EXPECT_EQ(image, drawn);
    }
}

// Long lines, either side of the length where the walk changes its arithmetic, walked
// whole: pixel k of the major axis sits at the minor offset floor((2 k dv + du) / (2 du)).
TEST(ImageLineRasterTest, LongLinesKeepTheExactMinorOffsets) {
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> minor(1, 40), flip(0, 1);
    for (int i = 0; i < 40; ++i) {
        const int du =
            static_cast<int>(CImageLineRaster::kMaxFixedPointMajor) + (i % 2 == 0 ? -1 - i : i);
        const int dv = minor(gen);
        const int su = flip(gen) ? 1 : -1, sv = flip(gen) ? 1 : -1;
        const bool xMajor = i % 4 < 2;
        const int major = du + 1, across = dv + 1;
        QImage image(xMajor ? major : across, xMajor ? across : major, QImage::Format_RGB32);
        image.fill(kWhite);
        QImage expected = image;
        const int u0 = su > 0 ? 0 : du, v0 = sv > 0 ? 0 : dv;
        const int x0 = xMajor ? u0 : v0, y0 = xMajor ? v0 : u0;
        const int x1 = x0 + (xMajor ? su * du : sv * dv), y1 = y0 + (xMajor ? sv * dv : su * du);
        CImageLineRaster(image, image.rect()).Draw(x0, y0, x1, y1, kInk, false);
        for (long long k = 0; k < du; ++k) {
            const auto m = static_cast<int>((2 * k * dv + du) / (2 * du));
            const auto u = static_cast<int>(u0 + su * k);
            expected.setPixel(xMajor ? u : v0 + sv * m, xMajor ? v0 + sv * m : u, kInk);
        }
        ASSERT_EQ(image, expected) << x0 << "," << y0 << " to " << x1 << "," << y1;
    }
}

// A stamped polygon has exactly the painter's pixels of the whole polygon, wherever it
// lies, cut to the clip: arrowheads of every direction and small odd polygons, with and without
// outline or fill.
TEST(ImagePolygonStampsTest, StampsAreThePaintersPixelsCutToTheClip) {
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> place(-30, 140), offset(-14, 14), corners(3, 6);
    std::uniform_int_distribution<int> cx(0, 119), cy(0, 89), kind(0, 3);
    CImagePolygonStamps stamps;
    for (int i = 0; i < 3000; ++i) {
        const int count = i % 2 == 0 ? 3 : corners(gen);
        QPoint points[8];
        points[0] = QPoint(place(gen), place(gen));
        for (int k = 1; k < count; ++k)
            points[k] = points[0] + QPoint(offset(gen), offset(gen));
        const int shape = kind(gen);
        QPen pen(QColor::fromRgb(kInk), i % 5 == 0 ? 0 : 1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (shape == 1)
            pen = QPen(Qt::NoPen);
        const QBrush brush = shape == 2 ? QBrush(Qt::NoBrush) : QBrush(QColor(200, 10, 90));
        const QRect clip = QRect(QPoint(cx(gen), cy(gen)), QPoint(cx(gen), cy(gen))).normalized();
        ASSERT_TRUE(CImagePolygonStamps::CanDraw(points, count, pen, brush));

        // The painter's pixels of the whole polygon, drawn where nothing clips it, then
        // cut to the clip: the painter's own clipping moves pixels of cut edges.
        QImage whole(400, 400, QImage::Format_RGB32);
        whole.fill(kWhite);
        {
            QPainter painter(&whole);
            painter.translate(150, 150);
            painter.setPen(pen);
            painter.setBrush(brush);
            painter.drawPolygon(points, count, Qt::OddEvenFill);
        }
        QImage painted = Blank(), stamped = Blank();
        for (int y = clip.top(); y <= clip.bottom(); ++y)
            for (int x = clip.left(); x <= clip.right(); ++x)
                painted.setPixel(x, y, whole.pixel(x + 150, y + 150));
        stamps.Draw(stamped, clip, points, count, pen, brush);
        ASSERT_EQ(stamped, painted)
            << "polygon " << i << " at " << points[0].x() << "," << points[0].y();
    }
    // Wide pens, patterns and large polygons stay with the painter.
    const QPoint big[3] = {QPoint(0, 0), QPoint(100, 0), QPoint(0, 5)};
    EXPECT_FALSE(CImagePolygonStamps::CanDraw(big, 3, QPen(Qt::black), QBrush(Qt::black)));
    EXPECT_FALSE(CImagePolygonStamps::CanDraw(big, 2, QPen(Qt::black, 2), QBrush(Qt::black)));
    EXPECT_FALSE(CImagePolygonStamps::CanDraw(big, 2, QPen(Qt::black), QBrush(Qt::Dense4Pattern)));
}
