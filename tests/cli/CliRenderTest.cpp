#include "CliFixtures.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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

namespace {

// What another tool reads of a file: Graphviz's dot the DOT graph (its nodes and edges
// as "dot -Tplain" lists them), NetworkX the GraphML (nodes, edges, the names).
std::string OtherToolReads(const std::vector<std::string>& command) {
    QProcess process;
    QStringList args;
    for (std::size_t i = 1; i < command.size(); ++i)
        args << QString::fromStdString(command[i]);
    process.start(QString::fromStdString(command[0]), args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "failed: " + process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

} // namespace

// The case graph and the occurrence net of each example as GraphML and DOT, read back by
// the tools made for them (Debian's Python with its NetworkX, Graphviz's dot) with the counts
// and names the command line writes.
TEST_F(CliRender, GraphsForOtherToolsReadBackWhole) {
    const char* kNetworkX = "import sys, networkx\n"
                            "g = networkx.read_graphml(sys.argv[1])\n"
                            "print(g.number_of_nodes(), g.number_of_edges(),\n"
                            "      ' '.join(sorted(d['name'] for _, d in g.nodes(data=True))))\n";
    for (const char* name : {"philosophers", "producer-consumer", "mutex"}) {
        SCOPED_TRACE(name);
        const std::string net = WriteFixture(dir.path().toStdString(), name);
        const CliResult graph = RunCli(
            {"casegraph", net, "--names", "--graphml", Path("g.graphml"), "--dot", Path("g.dot")});
        ASSERT_EQ(graph.status, 0) << graph.err;
        const CliResult run =
            RunCli({"simulate", net, "--steps", "6", "--seed", "2", "--occurrence-graphml",
                    Path("o.graphml"), "--occurrence-dot", Path("o.dot")});
        ASSERT_EQ(run.status, 0) << run.err;
        // "Total N case(s), M step(s)" and the case names c1 ... cN.
        int cases = 0, steps = 0;
        ASSERT_EQ(std::sscanf(graph.Lines().front().c_str(), "Total %d case(s), %d step(s)", &cases,
                              &steps),
                  2);
        std::string names;
        std::vector<std::string> sorted;
        for (int i = 1; i <= cases; ++i)
            sorted.push_back("c" + std::to_string(i));
        std::sort(sorted.begin(), sorted.end());
        for (const std::string& n : sorted)
            names += (names.empty() ? "" : " ") + n;
        EXPECT_EQ(OtherToolReads({"/usr/bin/python3", "-c", kNetworkX, Path("g.graphml")}),
                  std::to_string(cases) + " " + std::to_string(steps) + " " + names + "\n");
        const std::string plain = OtherToolReads({"dot", "-Tplain", Path("g.dot")});
        int nodes = 0, edges = 0;
        for (std::size_t at = 0; (at = plain.find('\n', at)) != std::string::npos; ++at) {
            nodes += plain.compare(at + 1, 5, "node ") == 0 ? 1 : 0;
            edges += plain.compare(at + 1, 5, "edge ") == 0 ? 1 : 0;
        }
        EXPECT_EQ(nodes, cases) << plain;
        EXPECT_EQ(edges, steps) << plain;
        // The run's record: as many nodes and arcs in both, every place named b, every
        // occurrence e.
        const std::string record =
            OtherToolReads({"/usr/bin/python3", "-c", kNetworkX, Path("o.graphml")});
        EXPECT_EQ(record.find("failed"), std::string::npos) << record;
        const std::string oplain = OtherToolReads({"dot", "-Tplain", Path("o.dot")});
        int onodes = 0;
        for (std::size_t at = 0; (at = oplain.find("\nnode ", at)) != std::string::npos; ++at)
            ++onodes;
        EXPECT_EQ(record.substr(0, record.find(' ')), std::to_string(onodes));
    }
}

// Pictures for papers keep their names as text a reader can select and search: every
// name of the three diagrams is a text element of the SVG and text poppler's pdftotext
// finds in the PDF, none drawn as outlines.
TEST_F(CliRender, SvgAndPdfKeepTheNamesAsText) {
    const std::string net = WriteFixture(dir.path().toStdString(), "philosophers");
    // The run's record laid out as the occurrence net view shows it, then saved.
    ASSERT_EQ(RunCli({"simulate", net, "--steps", "4", "--seed", "1", "--occurrence-xml",
                      Path("run.xml"), "--save", Path("run.zrn")})
                  .status,
              0);
    ASSERT_EQ(RunCli({"layout", Path("run.zrn"), "--seed", "1", "-o", Path("laid.zrn")}).status, 0);
    const std::vector<std::pair<std::string, std::vector<std::string>>> views = {
        {"net", {"think_0", "fork_2", "take_1", "put_2"}},
        {"casegraph", {"c1", "c4", "s1", "s6"}},
        {"occurrence", {"b1", "e1"}}};
    for (const auto& [view, names] : views) {
        SCOPED_TRACE(view);
        const std::string svg = ReadText(Render(Path("laid.zrn"), view + ".svg", {"--view", view}));
        const std::string pdf = OtherToolReads(
            {"pdftotext", Render(Path("laid.zrn"), view + ".pdf", {"--view", view}), "-"});
        for (const std::string& name : names) {
            EXPECT_NE(svg.find(">" + name + "</text>"), std::string::npos) << name;
            EXPECT_NE(pdf.find(name), std::string::npos) << name << " in " << pdf;
        }
    }
}

// TikZ for papers: every diagram of the examples and of a net of every element kind
// compiles with pdflatex as a standalone document, styles defined once at the top, names
// as escaped text.
TEST_F(CliRender, TikzPicturesCompileWithLaTeX) {
    if (OtherToolReads({"pdflatex", "--version"}).rfind("failed", 0) == 0)
        GTEST_SKIP() << "pdflatex is missing (scripts/packages.sh installs it)";
    const std::string net = WriteFixture(dir.path().toStdString(), "philosophers");
    ASSERT_EQ(RunCli({"simulate", net, "--steps", "4", "--seed", "1", "--occurrence-xml",
                      Path("run.xml"), "--save", Path("run.zrn")})
                  .status,
              0);
    ASSERT_EQ(RunCli({"layout", Path("run.zrn"), "--seed", "1", "-o", Path("laid.zrn")}).status, 0);
    const std::vector<std::pair<std::string, std::string>> pictures = {
        {Path("laid.zrn"), "net"},
        {Path("laid.zrn"), "casegraph"},
        {Path("laid.zrn"), "occurrence"},
        {ValidData("net.zrn"), "net"}};
    int k = 0;
    for (const auto& [file, view] : pictures) {
        SCOPED_TRACE(file + " " + view);
        const std::string tex =
            Render(file, "p" + std::to_string(++k) + ".tex", {"--view", view, "--standalone"});
        const std::string text = ReadText(tex);
        // The styles once, before anything is drawn.
        EXPECT_EQ(text.find("condition/.style"), text.rfind("condition/.style"));
        EXPECT_LT(text.rfind("/.style"), text.find("\\path["));
        EXPECT_EQ(text.find("\\begin{tikzpicture}"), text.rfind("\\begin{tikzpicture}"));
        // Each diagram's lines in its own style.
        EXPECT_NE(text.find(view == "casegraph" ? "\\path[casestep"
                            : view == "net"     ? "\\path[edge"
                                                : "\\path[arc"),
                  std::string::npos);
        if (view == "net" && file == Path("laid.zrn"))
            EXPECT_NE(text.find("{think\\_0}"), std::string::npos);
        QProcess latex;
        latex.setWorkingDirectory(dir.path());
        latex.start(QStringLiteral("pdflatex"),
                    {QStringLiteral("-interaction=nonstopmode"), QStringLiteral("-halt-on-error"),
                     QString::fromStdString(tex)});
        ASSERT_TRUE(latex.waitForFinished(120000));
        EXPECT_EQ(latex.exitCode(), 0) << latex.readAllStandardOutput().toStdString();
    }
}
