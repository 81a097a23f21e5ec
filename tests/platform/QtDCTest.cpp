#include "model/CPNCondition.h"
#include "platform/CQtDC.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kBlue = 0xFF0000FF;

// Draws on a white 100 x 100 image through the painter's context; the context goes
// before the painter.
QImage Painted(const std::function<void(CDC&)>& draw) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(kWhite);
    {
        QPainter painter(&image);
        CQtDC dc(painter);
        draw(dc);
    }
    return image;
}

// The smallest rectangle holding every pixel of the colour, right and bottom exclusive.
CRect Extent(const QImage& image, QRgb colour) {
    CRect r(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                r = CRect(std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                          std::max(r.bottom, y + 1));
    return r;
}

TEST(QtDCTest, ShapesCoverTheirRectangleLessTheRightAndBottomEdge) {
    const QImage token = Painted([](CDC& dc) {
        CPNCondition condition(50, 50, nullptr);
        condition.m_bToken = true;
        condition.Draw(dc);
    });
    // The circle Ellipse(35, 35, 65, 65) and the dot Ellipse(46, 46, 54, 54).
    EXPECT_EQ(Extent(token, kBlack), CRect(35, 35, 65, 65));
    EXPECT_EQ(Extent(token, kBlue), CRect(46, 46, 54, 54));
    EXPECT_EQ(token.pixel(40, 50), kWhite);

    const QImage lines = Painted([](CDC& dc) {
        dc.MoveTo(10, 50);
        dc.LineTo(90, 50);
        dc.LineTo(90, 80);
    });
    // Each line leaves out its end pixel: 10..89 and 90, 50..79.
    EXPECT_EQ(Extent(lines, kBlack), CRect(10, 50, 91, 80));
    EXPECT_EQ(lines.pixel(90, 80), kWhite);
}

// Text on a plain image (kept layouts) has the pixels of text drawn where the painter
// lays it out anew (a clip of two rectangles), in several fonts, twice over.
TEST(QtDCTest, KeptTextLayoutsDrawThePaintersPixels) {
    struct Font {
        const char* face;
        int height, weight;
        bool italic;
    };
    const std::vector<std::string> texts = {
        "{e1, e3}", "p12", "c_17 ", "AVAWAy fi", "\xc3\x84\xc3\xb6", "{t1, t2, t3, t4, t5}"};
    for (const Font& f : {Font{"Arial", -12, 400, false}, Font{"Courier New", -13, 700, false},
                          Font{"Times New Roman", -17, 400, true}}) {
        LOGFONT lf;
        lf.lfHeight = f.height;
        lf.lfWeight = f.weight;
        lf.lfItalic = f.italic ? 1 : 0;
        lf.SetFaceName(f.face);
        const CFont font(lf);
        auto draw = [&](CDC& dc) {
            dc.SelectObject(&font);
            dc.SetTextColor(RGB(20, 40, 200));
            for (int round = 0; round < 2; ++round)
                for (std::size_t i = 0; i < texts.size(); ++i)
                    dc.TextOut(3 + 50 * round, 3 + 15 * static_cast<int>(i), texts[i]);
        };
        QImage kept(100, 100, QImage::Format_RGB32), laid(100, 100, QImage::Format_RGB32);
        kept.fill(kWhite);
        laid.fill(kWhite);
        {
            QPainter painter(&kept);
            CQtDC dc(painter);
            draw(dc);
        }
        {
            QPainter painter(&laid);
            painter.setClipRegion(QRegion(0, 0, 50, 100) + QRegion(50, 0, 50, 100));
            CQtDC dc(painter);
            draw(dc);
        }
        EXPECT_EQ(kept, laid) << f.face;
        QImage blank(100, 100, QImage::Format_RGB32);
        blank.fill(kWhite);
        EXPECT_NE(kept, blank) << f.face;
    }
}

} // namespace
