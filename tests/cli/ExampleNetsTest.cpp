#include "CliFixtures.h"

#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExampleNets, EveryExampleIsAContactFreeCESystemThatRuns) {
    QTemporaryDir dir;
    CMeasureDC dc;
    for (const std::string& name : CExampleNets::Names()) {
        CFrameServices frame;
        CZerinDoc doc(frame);
        doc.NewDocument();
        ASSERT_TRUE(CExampleNets::Build(name, doc, dc)) << name;
        const std::string path = dir.filePath(QString::fromStdString(name + ".zrn")).toStdString();
        ASSERT_TRUE(doc.OnSaveDocument(path).ok) << name;

        CliResult r = RunCli({"check", path});
        EXPECT_EQ(r.status, 0) << name << "\n" << r.out;
        EXPECT_EQ(r.Lines().back(), "System is contact-free") << name;
        r = RunCli({"simulate", path, "--steps", "10", "--seed", "1"});
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.Lines().back(), "Automatic simulation stopped") << name;
    }
    CFrameServices frame;
    CZerinDoc doc(frame);
    EXPECT_FALSE(CExampleNets::Build("nothing", doc, dc));
}

TEST(ExampleNets, PhilosophersStopWhenTheFirstOneEats) {
    QTemporaryDir dir;
    CMeasureDC dc;
    CFrameServices frame;
    CZerinDoc doc(frame);
    doc.NewDocument();
    CExampleNets::Build("philosophers", doc, dc);
    const std::string path = dir.filePath("p.zrn").toStdString();
    ASSERT_TRUE(doc.OnSaveDocument(path).ok);
    const CliResult r =
        RunCli({"simulate", path, "--largest", "--break-at", "eat_0,think_1,think_2,fork_2"});
    const std::vector<std::string> lines = r.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3],
              "Executed step { take_0 }, new case is { eat_0, think_1, think_2, fork_2 }");
    EXPECT_EQ(lines[lines.size() - 2], "Breakpoint reached");
}
