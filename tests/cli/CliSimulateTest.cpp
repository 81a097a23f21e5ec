#include "CliFixtures.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using Lines = std::vector<std::string>;

namespace {

struct CliSimulate : ::testing::Test {
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Fixture(const std::string& name) const {
        return WriteFixture(dir.path().toStdString(), name);
    }
    // The lines of the run, from "Starting automatic simulation..." on.
    static Lines RunLines(const CliResult& r) {
        const Lines all = r.Lines();
        auto start = std::find(all.begin(), all.end(), "Starting automatic simulation...");
        return Lines(start, all.end());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CliSimulate, StepLimitStopsTheRunAsTheStopButton) {
    const CliResult r = RunCli({"simulate", Fixture("cycle"), "--steps", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines all = r.Lines();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), "--------------------Document: cycle--------------------");
    EXPECT_NE(std::find(all.begin(), all.end(), "System is contact-free"), all.end());
    EXPECT_EQ(RunLines(r),
              (Lines{"Starting automatic simulation...", "Executed step { e1 }, new case is { b2 }",
                     "Executed step { e2 }, new case is { b1 }",
                     "Executed step { e1 }, new case is { b2 }", "Automatic simulation stopped"}));
}

TEST_F(CliSimulate, NoStepsAtAllStopsBeforeTheFirst) {
    const CliResult r = RunCli({"simulate", Fixture("cycle"), "--steps", "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunLines(r),
              (Lines{"Starting automatic simulation...", "Automatic simulation stopped"}));
}

TEST_F(CliSimulate, RunEndsWhenNoStepIsLeft) {
    const CliResult r = RunCli({"simulate", Fixture("oneway")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(RunLines(r),
              (Lines{"Starting automatic simulation...", "Executed step { e1 }, new case is { b2 }",
                     "Automatic simulation stopped, no executable event found"}));
}

TEST_F(CliSimulate, ANetThatIsNoCESystemIsNotRun) {
    const CliResult r = RunCli({"simulate", ValidData("net.zrn")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.Lines().back(), "net - 1 error(s)");
    EXPECT_EQ(r.out.find("Starting automatic simulation"), std::string::npos);
}

TEST_F(CliSimulate, TheSameSeedGivesTheSameRun) {
    const std::string net = Fixture("twocycles");
    const CliResult a = RunCli({"simulate", net, "--steps", "30", "--seed", "17"});
    const CliResult b = RunCli({"simulate", net, "--steps", "30", "--seed", "17"});
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(RunLines(a).size(), 32u);
    EXPECT_EQ(a.out, b.out);
    // Another seed chooses other steps somewhere among thirty choices of three.
    bool differs = false;
    for (const char* seed : {"18", "19", "20"})
        differs =
            differs || RunCli({"simulate", net, "--steps", "30", "--seed", seed}).out != a.out;
    EXPECT_TRUE(differs);
}

TEST_F(CliSimulate, LargestTakesBothComponentsAtOnce) {
    const CliResult r = RunCli({"simulate", Fixture("twocycles"), "--steps", "2", "--largest"});
    EXPECT_EQ(RunLines(r), (Lines{"Starting automatic simulation...",
                                  "Executed step { f1, g1 }, new case is { a2, b2 }",
                                  "Executed step { f2, g2 }, new case is { a1, b1 }",
                                  "Automatic simulation stopped"}));
}

TEST_F(CliSimulate, BreakpointsStopTheRunAtTheirCase) {
    const std::string net = Fixture("twocycles");
    CliResult r =
        RunCli({"simulate", net, "--largest", "--break-at", "a1,b2", "--break-at", "a2,b2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunLines(r), (Lines{"Starting automatic simulation...",
                                  "Executed step { f1, g1 }, new case is { a2, b2 }",
                                  "Breakpoint reached", "Automatic simulation stopped"}));
    r = RunCli({"simulate", net, "--break-at", "a1,zz"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zerin-cli: " + net + ": --break-at: no condition is named 'zz'\n");
    // A case the net never reaches is said so and the run goes on.
    r = RunCli({"simulate", net, "--steps", "1", "--break-at", "a1,a2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("is not reachable"), std::string::npos) << r.err;
}

TEST_F(CliSimulate, OccurrenceNetAndDocumentAreWrittenAfterTheRun) {
    const std::string xml = Path("occ.xml"), saved = Path("after.zrn");
    CliResult r = RunCli(
        {"simulate", Fixture("cycle"), "--steps", "4", "--occurrence-xml", xml, "--save", saved});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = ReadText(xml);
    QProcess xmllint;
    xmllint.start("xmllint", {"--noout", QString::fromStdString(xml)});
    ASSERT_TRUE(xmllint.waitForFinished(30000));
    EXPECT_EQ(xmllint.exitCode(), 0);
    EXPECT_NE(text.find("<occurrencenet"), std::string::npos);
    // Five places and four occurrences: b1 b2 b1 b2 b1 and e1 e2 e1 e2.
    auto count = [&](const std::string& what) {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<place"), 5) << text;
    EXPECT_EQ(count("<occurrence>") + count("<occurrence "), 4) << text;
    r = RunCli({"render", saved, "--view", "occurrence", "-o", Path("occ.svg")});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(CliSimulate, NoOccurrenceNetWithoutContactFreedom) {
    const CliResult r =
        RunCli({"simulate", Fixture("contact"), "--steps", "1", "--occurrence-xml", Path("o.xml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("System is not contact-free"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("not contact-free"), std::string::npos) << r.err;
}
