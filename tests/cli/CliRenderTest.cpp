#include "CliFixtures.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRender : ::testing::Test {
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Render(const std::string& net, const std::string& out,
                       std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"render", net, "-o", Path(out)};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        return Path(out);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CliRender, PngShowsTheTokenAtTheMarkedConditionAndNoGrid) {
    // b1 (marked) at (60, 60), e1 at (140, 60), b2 at (220, 60).
    const std::string net = WriteFixture(dir.path().toStdString(), "oneway");
    const QImage image(QString::fromStdString(Render(net, "net.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(60, 60), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(220, 60), qRgb(255, 255, 255));
    // The document shows its grid, the picture does not: every grid point away from the
    // net is white.
    for (int y = 0; y < image.height(); y += 10)
        for (int x = 0; x < image.width(); x += 10)
            if (y > 120 || x > 280) {
                ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
            }
}
