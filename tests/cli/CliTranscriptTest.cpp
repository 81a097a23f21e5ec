// zerin-cli as its users run it: each row of tests/data/cli-transcripts.txt is one
// command line, and its exit status, standard output, standard error and the XML files
// it wrote are compared with tests/data/golden/cli/<row>.txt. The rows run in order in
// one folder, so a row may read what an earlier one wrote.

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

#include <sstream>

namespace {

struct Row {
    std::string name;
    // "@name" is the fixture of that name written into the folder; "<tmp>" is the
    // folder and "<data>" the test data.
    std::vector<std::string> args;
    // Files of the folder shown after the output.
    std::vector<std::string> files;
};

// The words of a command line as a shell splits them: blanks part them, quotes keep them.
std::vector<std::string> ShellWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (ch == '\'' || ch == '"') {
            const std::size_t close = line.find(ch, i + 1);
            word += line.substr(i + 1, close - i - 1);
            i = close == std::string::npos ? line.size() : close;
            inWord = true;
        } else if (ch == ' ') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// The rows of tests/data/cli-transcripts.txt, which the Python module's tests read too.
std::vector<Row> Rows() {
    std::vector<Row> rows;
    std::istringstream in(ReadText(std::string(ZERIN_TEST_DATA) + "/cli-transcripts.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        std::string args = line.substr(tab + 1);
        Row row{line.substr(0, tab), {}, {}};
        if (const std::size_t files = args.find(" => "); files != std::string::npos) {
            row.files = ShellWords(args.substr(files + 4));
            args.resize(files);
        }
        row.args = ShellWords(args);
        rows.push_back(std::move(row));
    }
    return rows;
}

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
    const std::vector<Row> rows = Rows();
    ASSERT_GE(rows.size(), 70u);
    for (const Row& row : rows) {
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
        ExpectGolden("cli/" + row.name + ".txt",
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
