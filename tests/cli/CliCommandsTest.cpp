#include "CliFixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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

const Lines kTestLines = {"Testing net for C/E system requirements...",
                          "  Correct naming...",
                          "  Isolated conditions...",
                          "  Isolated events...",
                          "  Events concession...",
                          "  Indistinguishable conditions...",
                          "  indistinguishable events..."};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

bool IsWellFormedXml(const std::string& path) {
    QProcess xmllint;
    xmllint.start("xmllint", {"--noout", QString::fromStdString(path)});
    return xmllint.waitForFinished(30000) && xmllint.exitCode() == 0;
}

} // namespace

TEST_F(CliTest, CheckPrintsTheTestOfACESystem) {
    const CliResult r = RunCli({"check", Fixture("cycle")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines(),
              Join({{"--------------------Document: cycle--------------------",
                     "Net elements: 2 conditions, 2 events, 4 edges", "Computing case graph...",
                     "Total 2 case(s), 2 step(s)", "Initial case: { b1 }"},
                    kTestLines,
                    {"Net is C/E system", "cycle - 0 error(s)", "System is contact-free"}}));
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, CheckOfANetThatFailsExitsWithOne) {
    // The stored net was tested before it was saved: check tests it again all the same.
    const CliResult r = RunCli({"check", ValidData("casegraph.zrn")});
    EXPECT_EQ(r.status, 1);
    const Lines lines = r.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "--------------------Document: casegraph--------------------");
    EXPECT_EQ(lines[lines.size() - 3], "Net is not C/E system");
    EXPECT_EQ(lines[lines.size() - 2], "Aborting simulation");
    EXPECT_EQ(lines.back(), "casegraph - 1 error(s)");
    EXPECT_NE(r.out.find("Error: found 2 indistinguishable conditions"), std::string::npos);
}

TEST_F(CliTest, UnreadableAndCorruptFilesExitWithTwoAndTheMessage) {
    const std::string missing = Path("missing.zrn");
    CliResult r = RunCli({"check", missing});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zerin-cli: " + missing + ": Failed to open document.\n");
    EXPECT_EQ(r.out, "");

    const std::string corrupt = CorruptData("edge-end-missing.zrn");
    for (const char* command : {"check", "casegraph", "simulate"}) {
        r = RunCli({command, corrupt});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_EQ(r.err, "zerin-cli: " + corrupt + ": Unexpected file format.\n") << command;
    }
    // Not a document at all.
    const std::string text = Path("notes.zrn");
    QFile file(QString::fromStdString(text));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some words\n");
    file.close();
    r = RunCli({"resave", text, Path("out.zrn")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zerin-cli: " + text + ": Unexpected file format.\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("out.zrn"))));
}

TEST_F(CliTest, UsageHelpAndVersion) {
    CliResult r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "zerin-cli 1.65\n");
    r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: zerin-cli COMMAND", 0), 0u);
    for (const char* command : {"check", "casegraph", "export", "simulate", "complement", "layout",
                                "render", "resave", "new"})
        EXPECT_NE(r.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    r = RunCli({});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zerin-cli: no command given\nTry 'zerin-cli --help' for more information.\n");
    r = RunCli({"simulate", "x.zrn", "--steps", "many"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("zerin-cli: --steps takes a number of steps", 0), 0u);
    EXPECT_EQ(r.out, "");
}

TEST_F(CliTest, CaseGraphPrintsItsAnalysesInOrderAndExports) {
    const std::string xml = Path("graph.xml"), classXml = Path("class.xml");
    const CliResult r = RunCli({"casegraph", Fixture("cycle"), "--case-class", "--classes",
                                "--names", "--xml", xml, "--class-xml", classXml});
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines lines = r.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Total 2 case(s), 2 step(s)");
    // Names, then the classes, then the case class, whatever the options' order.
    const auto at = [&](const std::string& text) {
        return std::find(lines.begin(), lines.end(), text) - lines.begin();
    };
    const auto caseClass = at("Writing out case class...");
    ASSERT_LT(caseClass, static_cast<long>(lines.size()));
    EXPECT_EQ(lines.back(), "Total 2 case(s)");
    EXPECT_EQ(lines[caseClass + 1], "{ b1 }");
    EXPECT_EQ(lines[caseClass + 2], "{ b2 }");
    EXPECT_LT(1, caseClass);
    EXPECT_TRUE(IsWellFormedXml(xml));
    EXPECT_TRUE(IsWellFormedXml(classXml));
    EXPECT_NE(ReadText(xml).find("<casegraph>"), std::string::npos);
    EXPECT_NE(ReadText(classXml).find("<case>{ b2 }</case>"), std::string::npos);
}

TEST_F(CliTest, CaseGraphRunsForANetThatIsNoCESystem) {
    const CliResult r = RunCli({"casegraph", ValidData("net.zrn")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines(), Lines{"Total 2 case(s), 2 step(s)"});
}

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

TEST_F(CliTest, AStandardOutputThatCannotBeWrittenIsAFailure) {
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(QString::fromUtf8(ZERIN_CLI_PATH),
                  {"check", QString::fromStdString(Fixture("cycle"))});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "zerin-cli: Cannot write the standard output\n");
}

TEST_F(CliTest, ExportWritesTheNetDesign) {
    const std::string xml = Path("net.xml");
    const CliResult r = RunCli({"export", Fixture("cycle"), "--netdesign", xml});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(IsWellFormedXml(xml));
    EXPECT_NE(ReadText(xml).find("<netdesign"), std::string::npos);
}

TEST_F(CliTest, ResaveKeepsTheBytesAndNewWritesAnEmptyDocument) {
    for (const char* name : {"empty.zrn", "net.zrn", "casegraph.zrn", "occurrence.zrn"}) {
        const std::string out = Path(std::string("re-") + name);
        const CliResult r = RunCli({"resave", ValidData(name), out});
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_EQ(ReadText(out), ReadText(ValidData(name))) << name;
    }
    const std::string created = Path("new.zrn");
    CliResult r = RunCli({"new", created});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(created), ReadText(ValidData("empty.zrn")));
    r = RunCli({"check", created});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Error: Empty net"), std::string::npos);
}

TEST_F(CliTest, ComplementAddsTheConditionsAndSaves) {
    const std::string out = Path("complemented.zrn");
    CliResult r = RunCli({"complement", Fixture("contact"), "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines lines = r.Lines();
    ASSERT_GE(lines.size(), 5u) << r.out;
    EXPECT_EQ(Lines(lines.end() - 5, lines.end()),
              (Lines{"Complementing net...", "Adding complement { not b1 } to condition { b1 }",
                     "Adding complement { not b2 } to condition { b2 }",
                     "Adding complement { not b3 } to condition { b3 }", "Added 3 complement(s)"}));
    r = RunCli({"check", out});
    EXPECT_NE(r.out.find("Net elements: 6 conditions, 2 events, 8 edges"), std::string::npos)
        << r.out;
}

TEST_F(CliTest, LayoutSmoothsReproduciblyAndSaves) {
    const std::string net = Fixture("twocycles");
    const std::string out1 = Path("l1.zrn"), out2 = Path("l2.zrn");
    CliResult r = RunCli(
        {"layout", net, "--seed", "5", "--generations", "20", "--population", "4", "-o", out1});
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines lines = r.Lines();
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0], "Generations: 20");
    EXPECT_EQ(lines[1].rfind("Fitness: ", 0), 0u);
    EXPECT_NE(lines[1], "Fitness: 0");
    EXPECT_EQ(lines[2].rfind("Intersections: ", 0), 0u);
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

    r = RunCli({"layout", net});
    EXPECT_EQ(r.Lines(), (Lines{"Generations: 0", "Fitness: 0", "Intersections: 0"}));
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, LayoutOfANetThatIsNoCESystemSaysTheGraphIsNotKept) {
    const std::string in = ValidData("net.zrn"), out = Path("l.zrn");
    const CliResult r = RunCli({"layout", in, "--generations", "3", "-o", out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines().front(), "Generations: 3");
    EXPECT_EQ(r.err, "zerin-cli: " + in +
                         ": the net is not a C/E system, the saved document holds no case graph\n");
    // The net itself is saved as it was.
    const CliResult check = RunCli({"check", out});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.Lines().back(), "l - 1 error(s)");
}
