#include "CliFixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using Lines = std::vector<std::string>;

namespace {

struct CliTest : ::testing::Test {
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Fixture(const std::string& name) const {
        return WriteFixture(dir.path().toStdString(), name);
    }
    // A folder the tool cannot write into, even as root: a path through a file.
    std::string Unwritable(const std::string& name) const {
        const std::string blocker = Path("blocker");
        QFile file(QString::fromStdString(blocker));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return blocker + "/" + name;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CliTest, UnwritableOutputsExitWithTwoAndTheReason) {
    const std::string net = Fixture("cycle");
    const std::string target = Unwritable("out.xml");
    CliResult r = RunCli({"casegraph", net, "--xml", target});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("zerin-cli: Cannot write " + target + ": ", 0), 0u) << r.err;
    r = RunCli({"export", net, "--netdesign", target});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("zerin-cli: Cannot write " + target + ": ", 0), 0u) << r.err;
    r = RunCli({"resave", net, Unwritable("out.zrn")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(Unwritable("out.zrn")), std::string::npos) << r.err;
    r = RunCli({"render", net, "-o", Unwritable("out.png")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(Unwritable("out.png")), std::string::npos) << r.err;
    r = RunCli({"new", Unwritable("new.zrn")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("zerin-cli: "), std::string::npos);
}

TEST_F(CliTest, ResaveKeepsTheBytesAndNewWritesAnEmptyDocument) {
    for (const char* name : {"empty.zrn", "net.zrn", "casegraph.zrn", "occurrence.zrn"}) {
        const std::string out = Path(std::string("re-") + name);
        const CliResult r = RunCli({"resave", ValidData(name), out});
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_EQ(ReadText(out), ReadText(ValidData(name))) << name;
    }
    const std::string created = Path("new.zrn");
    EXPECT_EQ(RunCli({"new", created}).status, 0);
    EXPECT_EQ(ReadText(created), ReadText(ValidData("empty.zrn")));
}

TEST_F(CliTest, LayoutSmoothsReproduciblyAndSaves) {
    const std::string net = Fixture("twocycles");
    const std::string out1 = Path("l1.zrn"), out2 = Path("l2.zrn");
    CliResult r = RunCli(
        {"layout", net, "--seed", "5", "--generations", "20", "--population", "4", "-o", out1});
    EXPECT_EQ(r.status, 0) << r.err;
    const CliResult again = RunCli(
        {"layout", net, "--seed", "5", "--generations", "20", "--population", "4", "-o", out2});
    EXPECT_EQ(again.out, r.out);
    EXPECT_EQ(ReadText(out1), ReadText(out2));
    // The saved graph is the one laid out: it is drawn as stored, whatever the seed.
    const std::string svg1 = Path("l1.svg"), svg2 = Path("l2.svg");
    EXPECT_EQ(RunCli({"render", out1, "--view", "casegraph", "--seed", "1", "-o", svg1}).status, 0);
    EXPECT_EQ(RunCli({"render", out1, "--view", "casegraph", "--seed", "2", "-o", svg2}).status, 0);
    EXPECT_EQ(ReadText(svg1), ReadText(svg2));
    EXPECT_FALSE(ReadText(svg1).empty());
}
