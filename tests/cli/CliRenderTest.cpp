#include "CliFixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

// Element names of an SVG document and how often each occurs; empty when it does not
// parse.
std::map<std::string, int> CountElements(const std::string& svg) {
    std::map<std::string, int> counts;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            ++counts[xml.name().toString().toStdString()];
    if (xml.hasError())
        return {};
    return counts;
}

int Ellipses(const std::map<std::string, int>& counts) {
    auto get = [&](const char* name) {
        auto it = counts.find(name);
        return it == counts.end() ? 0 : it->second;
    };
    return get("circle") + get("ellipse");
}

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

TEST_F(CliRender, CaseGraphIsLaidOutOrDrawnAsStored) {
    const std::string net = WriteFixture(dir.path().toStdString(), "twocycles");
    const std::string svg =
        ReadText(Render(net, "graph.svg", {"--view", "casegraph", "--seed", "3"}));
    EXPECT_EQ(Ellipses(CountElements(svg)), 4); // one node per case
    // Seeded layouts repeat themselves.
    EXPECT_EQ(ReadText(Render(net, "graph2.svg", {"--view", "casegraph", "--seed", "3"})), svg);
    // The stored graph of the fixture (two cases at their places): a 800 x 400 page.
    const QImage stored(QString::fromStdString(
        Render(ValidData("casegraph.zrn"), "stored.png", {"--view", "casegraph"})));
    EXPECT_EQ(stored.size(), QSize(800, 400));
}
