// zerin-cli as its users run it: each row of the table is one command line, and its
// exit status, standard output, standard error and the XML files it wrote are compared
// with tests/data/golden/cli/<row>.txt. The rows run in order in one folder, so a row
// may read what an earlier one wrote.

#include "CliFixtures.h"
#include "support/DocAccess.h"

#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "support/Golden.h"
#include "support/NetFamilies.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    // "@name" is the fixture of that name written into the folder; "<tmp>" is the
    // folder and "<data>" the test data.
    std::vector<std::string> args;
    // Files of the folder shown after the output.
    std::vector<std::string> files = {};
};

const std::vector<Row> kRows = {
    {"check-cycle", {"check", "@cycle"}},
    {"check-no-ce-system", {"check", "<data>/valid/casegraph.zrn"}},
    {"check-missing-file", {"check", "<tmp>/missing.zrn"}},
    {"check-corrupt", {"check", "<data>/corrupt/edge-end-missing.zrn"}},
    {"check-folder", {"check", "<tmp>"}},
    {"check-device", {"check", "/dev/zero"}},
    {"casegraph-xml-to-stdout", {"casegraph", "@cycle", "--xml", "/dev/stdout"}},
    {"casegraph-corrupt", {"casegraph", "<data>/corrupt/edge-end-missing.zrn"}},
    {"simulate-corrupt", {"simulate", "<data>/corrupt/edge-end-missing.zrn"}},
    {"resave-not-a-document", {"resave", "<tmp>/notes.zrn", "<tmp>/out.zrn"}},
    {"version", {"--version"}},
    {"help", {"--help"}},
    {"no-command", {}},
    {"bad-step-count", {"simulate", "x.zrn", "--steps", "many"}},
    {"casegraph-everything",
     {"casegraph", "@cycle", "--case-class", "--classes", "--names", "--xml", "<tmp>/graph.xml",
      "--class-xml", "<tmp>/class.xml"},
     {"graph.xml", "class.xml"}},
    {"casegraph-class-summary", {"casegraph", "@twocycles", "--class-summary"}},
    {"export-netdesign", {"export", "@cycle", "--netdesign", "<tmp>/net.xml"}, {"net.xml"}},
    {"complement", {"complement", "@contact", "-o", "<tmp>/complemented.zrn"}},
    {"check-complemented", {"check", "<tmp>/complemented.zrn"}},
    {"layout-seeded",
     {"layout", "@twocycles", "--seed", "5", "--generations", "20", "--population", "4", "-o",
      "<tmp>/l1.zrn"}},
    {"layout-without-generations", {"layout", "@twocycles"}},
    {"layout-no-ce-system",
     {"layout", "<data>/valid/net.zrn", "--generations", "3", "--seed", "1", "-o", "<tmp>/l.zrn"}},
    {"check-layout-no-ce-system", {"check", "<tmp>/l.zrn"}},
    {"new", {"new", "<tmp>/new.zrn"}},
    {"check-new", {"check", "<tmp>/new.zrn"}},
    {"simulate-step-limit", {"simulate", "@cycle", "--steps", "3"}},
    {"simulate-until-no-step", {"simulate", "@oneway"}},
    {"simulate-seeded", {"simulate", "@twocycles", "--steps", "30", "--seed", "17"}},
    {"simulate-largest", {"simulate", "@twocycles", "--steps", "2", "--largest"}},
    {"simulate-breakpoints",
     {"simulate", "@twocycles", "--largest", "--break-at", "a1,b2", "--break-at", "a2,b2"}},
    {"simulate-unknown-breakpoint", {"simulate", "@twocycles", "--break-at", "a1,zz"}},
    {"simulate-unreachable-breakpoint",
     {"simulate", "@twocycles", "--steps", "1", "--seed", "1", "--break-at", "a1,a2"}},
    {"simulate-recorded",
     {"simulate", "@cycle", "--steps", "4", "--occurrence-xml", "<tmp>/occ.xml", "--save",
      "<tmp>/after.zrn"},
     {"occ.xml"}},
    {"render-recorded", {"render", "<tmp>/after.zrn", "--view", "occurrence", "-o", "<tmp>/o.svg"}},
    {"check-philosophers", {"check", "@philosophers"}},
    {"check-producer-consumer", {"check", "@producer-consumer"}},
    {"check-mutex", {"check", "@mutex"}},
    {"casegraph-philosophers",
     {"casegraph", "@philosophers", "--names", "--classes", "--xml", "<tmp>/phil.xml"},
     {"phil.xml"}},
    {"simulate-philosophers",
     {"simulate", "@philosophers", "--steps", "12", "--seed", "7", "--occurrence-xml",
      "<tmp>/phil-run.xml"},
     {"phil-run.xml"}},
    {"simulate-philosophers-until-one-eats",
     {"simulate", "@philosophers", "--largest", "--break-at", "eat_0,think_1,think_2,fork_2"}},
    {"simulate-mutex", {"simulate", "@mutex", "--steps", "8", "--seed", "3"}},
    {"complement-stored-net", {"complement", "<data>/valid/net.zrn", "-o", "<tmp>/net-c.zrn"}},
    {"check-stored-net", {"check", "<data>/valid/net.zrn"}},
    {"casegraph-stored", {"casegraph", "<data>/valid/casegraph.zrn", "--names", "--case-class"}},
    {"export-stored-occurrence",
     {"export", "<data>/valid/occurrence.zrn", "--netdesign", "<tmp>/occ-net.xml"},
     {"occ-net.xml"}},
    {"render-casegraph-seeded",
     {"render", "@twocycles", "--view", "casegraph", "--seed", "3", "-o", "<tmp>/graph.svg"},
     {"graph.svg"}},
    // The saved graph is the one laid out: it is drawn as stored, whatever the seed.
    {"render-laid-out-seed-1",
     {"render", "<tmp>/l1.zrn", "--view", "casegraph", "--seed", "1", "-o", "<tmp>/l1.svg"},
     {"l1.svg"}},
    {"render-laid-out-seed-2",
     {"render", "<tmp>/l1.zrn", "--view", "casegraph", "--seed", "2", "-o", "<tmp>/l1.svg"},
     {"l1.svg"}},
    // Outputs that cannot be written: a path through a file.
    {"unwritable-casegraph-xml", {"casegraph", "@cycle", "--xml", "<tmp>/notes.zrn/out.xml"}},
    {"unwritable-netdesign-xml", {"export", "@cycle", "--netdesign", "<tmp>/notes.zrn/out.xml"}},
    {"unwritable-resave", {"resave", "@cycle", "<tmp>/notes.zrn/out.zrn"}},
    {"unwritable-render", {"render", "@cycle", "-o", "<tmp>/notes.zrn/out.png"}},
    {"unwritable-new", {"new", "<tmp>/notes.zrn/new.zrn"}},
    {"find-philosophers-path", {"find", "@philosophers", "--wanted", "eat_0", "--path"}},
    {"find-producer-consumer-path",
     {"find", "@producer-consumer", "--wanted", "full", "--unwanted", "ready", "--path"}},
    {"find-wanted-and-unwanted", {"find", "@mutex", "--wanted", "free", "--unwanted", "free"}},
    {"find-unknown-condition", {"find", "@mutex", "--wanted", "free,nothing"}},
    {"find-only-reachable", {"find", "@backward", "--wanted", "b3"}},
    {"find-backward-path", {"find", "@backward", "--wanted", "b3", "--all-cases", "--path"}},
    {"properties-philosophers",
     {"properties", "@philosophers", "--examination", "ReachabilityDeadlock", "--examination",
      "QuasiLiveness", "--formula", "EF (eat_0 & eat_2)", "--formula", "AG !(eat_0 & eat_1)",
      "--formula", "EF eat_1", "--formula", "A G F eat_0", "--witness"}},
    {"properties-unknown-name", {"properties", "@mutex", "--formula", "EF (free & nothing)"}},
    {"properties-nothing-asked", {"properties", "@mutex"}},
    {"properties-time-limit-refused",
     {"properties", "@mutex", "--formula", "EF free", "--time-limit", "soon"}},
    {"deadlock-oneway", {"deadlock", "@oneway"}},
    {"deadlock-philosophers", {"deadlock", "@philosophers"}},
    {"class-deadlock-philosophers", {"class-deadlock", "@philosophers"}},
    {"class-reach-producer-consumer",
     {"class-reach", "@producer-consumer", "--wanted", "full,received", "--unwanted", "ready"}},
    {"class-reach-unknown-name", {"class-reach", "@mutex", "--wanted", "nothing"}},
    {"class-dead-events-mutex", {"class-dead-events", "@mutex"}},
    {"invariants-producer-consumer", {"invariants", "@producer-consumer", "--events"}},
    {"invariants-philosophers-json",
     {"invariants", "@philosophers", "--events", "--format", "json"}},
    {"invariants-mutex-csv", {"invariants", "@mutex", "--format", "csv"}},
    {"siphons-philosophers", {"siphons", "@philosophers"}},
    {"siphons-oneway-json", {"siphons", "@oneway", "--format", "json"}},
    {"reachable-philosophers", {"reachable", "@philosophers", "--wanted", "eat_0,eat_1"}},
    {"casegraph-max-cases", {"casegraph", "@philosophers", "--max-cases", "3"}},
    {"casegraph-max-memory", {"casegraph", "@cycle", "--max-memory", "1K"}},
    {"casegraph-within-limits", {"casegraph", "@cycle", "--max-cases", "2", "--max-memory", "4G"}},
    {"casegraph-bad-memory-size", {"casegraph", "@cycle", "--max-memory", "lots"}},
    {"simulate-not-contact-free",
     {"simulate", "@contact", "--steps", "1", "--seed", "1", "--occurrence-xml", "<tmp>/o.xml"}},
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool IsWellFormedXml(const std::string& path) {
    QProcess xmllint;
    xmllint.start("xmllint", {"--noout", QString::fromStdString(path)});
    return xmllint.waitForFinished(30000) && xmllint.exitCode() == 0;
}

TEST(CliTranscripts, EveryCommandLineAsRecorded) {
    QTemporaryDir dir;
    const std::string tmp = dir.path().toStdString();
    QFile notes(dir.filePath("notes.zrn"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("just some words\n");
    notes.close();
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> args;
        for (const std::string& a : row.args)
            args.push_back(a[0] == '@'
                               ? WriteFixture(tmp, a.substr(1))
                               : Replaced(Replaced(a, "<tmp>", tmp), "<data>", ZERIN_TEST_DATA));
        const CliResult r = RunCli(args);
        std::string text =
            "exit " + std::to_string(r.status) + "\n--- out\n" + r.out + "--- err\n" + r.err;
        for (const std::string& file : row.files) {
            const std::string path = tmp + "/" + file;
            EXPECT_TRUE(IsWellFormedXml(path)) << file;
            text += "--- " + file + "\n" + ReadText(path);
        }
        ExpectGolden(std::string("cli/") + row.name + ".txt",
                     Replaced(Replaced(text, tmp, "<tmp>"), ZERIN_TEST_DATA, "<data>"));
    }
}

// Resaving keeps every byte of a stored document; a new one is the empty fixture.
TEST(CliTranscripts, ResaveKeepsTheBytesAndNewWritesAnEmptyDocument) {
    QTemporaryDir dir;
    for (const char* name : {"empty.zrn", "net.zrn", "casegraph.zrn", "occurrence.zrn"}) {
        const std::string out = dir.filePath(name).toStdString();
        EXPECT_EQ(RunCli({"resave", ValidData(name), out}).status, 0) << name;
        EXPECT_EQ(ReadText(out), ReadText(ValidData(name))) << name;
    }
    const std::string created = dir.filePath("new.zrn").toStdString();
    EXPECT_EQ(RunCli({"new", created}).status, 0);
    EXPECT_EQ(ReadText(created), ReadText(ValidData("empty.zrn")));
}

// Within 150 MB of address space the stored graph of 18 philosophers (3.3 million
// steps) does not fit: forced, it is refused with the message; by default the cases are
// kept without their steps and the command goes on.
TEST(CliTranscripts, ACaseGraphThatDoesNotFitIsRefusedOrKeptWithoutItsSteps) {
    QTemporaryDir dir;
    CFrameServices frame;
    CZerinDoc doc(frame);
    doc.NewDocument();
    BuildDiningPhilosophers(NetOf(doc), 18);
    const std::string net = dir.filePath("phil18.zrn").toStdString();
    ASSERT_TRUE(doc.OnSaveDocument(net).ok);
    const std::string refused =
        "zerin-cli: " + net + ": Not enough memory to compute the case graph\n";
    const std::string onDemand = "zerin-cli: " + net +
                                 ": engine: cases (3,309,688 steps: produced on demand; the "
                                 "stored case graph would take about 208 MB)\n";
    struct Row {
        const char* command;
        const char* engine;
        int status;
        std::string err;
    };
    for (const Row& row :
         {Row{"casegraph", "explicit", 2, refused}, Row{"check", "explicit", 2, refused},
          Row{"casegraph", "auto", 0, onDemand}, Row{"check", "auto", 0, ""}}) {
        QProcess shell;
        shell.start("sh", {"-c", QString("ulimit -v 150000; exec '%1' %2 '%3' --engine %4")
                                     .arg(ZERIN_CLI_PATH, row.command, QString::fromStdString(net),
                                          row.engine)});
        ASSERT_TRUE(shell.waitForFinished(120000));
        EXPECT_EQ(shell.exitCode(), row.status) << row.command << " " << row.engine;
        EXPECT_EQ(shell.readAllStandardError().toStdString(), row.err)
            << row.command << " " << row.engine;
    }
}

} // namespace
