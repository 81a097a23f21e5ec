#include "TestNet.h"
#include "base/FileIO.h"
#include "platform/CPictureExport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct PictureExportTest : ::testing::Test {
    CFileResult Export(const std::string& name) {
        path = dir.filePath(QString::fromStdString(name)).toStdString();
        return CPictureExport::Export(path, net.net.m_sizeNet,
                                      [this](CDC& dc) { net.net.Draw(dc); });
    }
    std::string Contents() const {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes).ok);
        return bytes;
    }

    QTemporaryDir dir;
    TestNet net;
    std::string path;
};

} // namespace

TEST_F(PictureExportTest, PngShowsTheNetOnWhiteWithoutBorderOrGrid) {
    CFileResult result = Export("net.PNG"); // the extension in any case
    ASSERT_TRUE(result.ok) << result.error;
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(300, 120));
    EXPECT_EQ(image.pixel(60, 60), qRgb(0, 0, 255)); // the token of b1
    EXPECT_EQ(image.pixel(220, 60), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(45, 60), qRgb(0, 0, 0));  // b1's circle
    EXPECT_EQ(image.pixel(125, 60), qRgb(0, 0, 0)); // e1's box
    // No grid points where the net leaves the page empty, and no border.
    int marks = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((x % 10 == 0 && y % 10 == 0 && (y < 20 || y > 80)) || x == 0 || y == 0 ||
                x == image.width() - 1 || y == image.height() - 1)
                marks += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_EQ(marks, 0);
}

TEST_F(PictureExportTest, FailuresGiveReasons) {
    bool drawn = false;
    auto draw = [&](CDC&) { drawn = true; };
    for (const char* ext : {".png", ".svg", ".pdf", ".emf"}) {
        std::string target = std::string("/nonexistent-folder/net") + ext;
        CFileResult result = CPictureExport::Export(target, CSize(100, 100), draw);
        EXPECT_FALSE(result.ok) << ext;
        EXPECT_EQ(result.error, "Cannot write " + target + ": No such file or directory");
    }

    drawn = false;
    std::string bmp = dir.filePath("net.bmp").toStdString();
    CFileResult unknown = CPictureExport::Export(bmp, CSize(100, 100), draw);
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.error, "Unknown picture format: .bmp");
    EXPECT_FALSE(drawn);
    EXPECT_FALSE(std::filesystem::exists(bmp));

    for (const char* name : {"net", "my.folder/net"}) {
        const CFileResult none =
            CPictureExport::Export(dir.filePath(name).toStdString(), CSize(10, 10), draw);
        EXPECT_EQ(none.error.rfind("Unknown picture format", 0), 0u) << name;
    }

    CFileResult empty =
        CPictureExport::Export(dir.filePath("net.png").toStdString(), CSize(0, 10), draw);
    EXPECT_FALSE(empty.ok);
    EXPECT_FALSE(empty.error.empty());
}
