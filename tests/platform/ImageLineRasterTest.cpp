#include "platform/CImageLineRaster.h"

#include <QImage>

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
                    << "line " << x0 << "," << y0 << " to " << x1 << "," << y1 << " at " << x
                    << "," << y;
    }
}

// The start pixel is drawn, the end pixel not, one pixel per step of the major axis;
// drawing twice inverted restores the picture.
TEST(ImageLineRasterTest, StartInEndOutOnePixelPerStepAndInversionUndoes) {
    struct Row {
        int x0, y0, x1, y1;
    };
    for (const Row& r : {Row{10, 10, 60, 10}, Row{60, 10, 10, 10}, Row{5, 80, 5, 3},
                         Row{10, 10, 50, 30}, Row{50, 30, 10, 10}, Row{100, 5, 20, 85},
                         Row{30, 30, 31, 31}}) {
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
