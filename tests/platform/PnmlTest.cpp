#include "base/CRandomSource.h"
#include "casegraph/CCaseGraph.h"
#include "casegraph/CStoredEngine.h"
#include "engines/CCasesEngine.h"
#include "engines/CSymbolicEngine.h"
#include "exchange/CPnmlExport.h"
#include "exchange/CPnmlImport.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"
#include "platform/CPnmlReader.h"
#include "support/EngineAgreement.h"
#include "support/NetFamilies.h"
#include "support/TempFolder.h"
#include "support/XmlLint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace {

struct Counts {
    int places = 0, transitions = 0, arcs = 0;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << c.places << " places, " << c.transitions << " transitions, " << c.arcs << " arcs";
}

Counts CountsOf(const CNetDesign& net) {
    Counts c;
    for (const CPNElement* e : net.m_listElements) {
        c.places += dynamic_cast<const CPNCondition*>(e) ? 1 : 0;
        c.transitions += dynamic_cast<const CPNEvent*>(e) ? 1 : 0;
        c.arcs += dynamic_cast<const CPNEdge*>(e) ? 1 : 0;
    }
    return c;
}

// Imports the file; the error text, empty on success.
std::string Import(const std::string& path, CNetDesign& net,
                   const std::optional<std::string>& netId = std::nullopt) {
    CMeasureDC dc;
    int next[2] = {1, 1};
    const CFileResult result = CPnmlReader::Import(path, netId, 10, net, dc, [&next](bool event) {
        return std::string(event ? "e" : "b") + std::to_string(next[event ? 1 : 0]++);
    });
    return result ? std::string() : result.error;
}

std::string ImportText(const std::string& xml, CNetDesign& net) {
    TempFolder folder("zerin-pnml");
    const std::string path = folder.Path("net.pnml");
    std::ofstream(path, std::ios::binary) << xml;
    return Import(path, net);
}

std::string NameOf(const CPNElement* e) {
    const CPNLabel* label = CNetDesign::NameLabelOf(e);
    return label ? label->m_strText : "";
}

// Everything a net design says about its net, by names: nodes with kind, token,
// position and name offset; edges with their bend points.
std::string Describe(const CNetDesign& net) {
    std::ostringstream out, edges;
    for (const CPNElement* e : net.m_listElements) {
        if (const CPNLabel* label = CNetDesign::NameLabelOf(e)) {
            auto* c = dynamic_cast<const CPNCondition*>(e);
            out << (c ? "condition " : "event ") << label->m_strText
                << (c && c->m_bToken ? " token" : "") << " at " << e->m_ptPos.x << ","
                << e->m_ptPos.y << " name at " << label->m_ptPos.x - e->m_ptPos.x << ","
                << label->m_ptPos.y - e->m_ptPos.y << "\n";
        } else if (auto* edge = dynamic_cast<const CPNEdge*>(e)) {
            edges << "edge " << NameOf(edge->m_pFrom) << " -> " << NameOf(edge->m_pTo);
            for (const CPoint& p : edge->GetBendPoints())
                edges << " via " << p.x << "," << p.y;
            edges << "\n";
        }
    }
    return out.str() + edges.str();
}

// The rows of a tab-separated table after its header line.
std::vector<std::vector<std::string>> Rows(const std::filesystem::path& path) {
    std::ifstream table(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(table, line);
    while (std::getline(table, line)) {
        if (line.empty())
            continue;
        std::stringstream row(line);
        rows.emplace_back();
        for (std::string field; std::getline(row, field, '\t');)
            rows.back().push_back(field);
    }
    return rows;
}

// No two nodes overlap, and no name lies nearer another node than its own.
void ExpectNodesApartAndNamesByTheirNodes(const CNetDesign& net) {
    std::vector<const CPNElement*> nodes;
    for (const CPNElement* e : net.m_listElements)
        if (dynamic_cast<const CPNCondition*>(e) || dynamic_cast<const CPNEvent*>(e))
            nodes.push_back(e);
    auto d2 = [](CPoint a, CPoint b) {
        return static_cast<long long>(a.x - b.x) * (a.x - b.x) +
               static_cast<long long>(a.y - b.y) * (a.y - b.y);
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const CPoint p = nodes[i]->m_ptPos;
        for (std::size_t j = i + 1; j < nodes.size(); ++j) {
            const CPoint q = nodes[j]->m_ptPos;
            EXPECT_TRUE(std::abs(p.x - q.x) >= 30 || std::abs(p.y - q.y) >= 30)
                << NameOf(nodes[i]) << " and " << NameOf(nodes[j]) << " overlap";
        }
        const CPoint name = CNetDesign::NameLabelOf(nodes[i])->m_ptPos;
        for (const CPNElement* other : nodes)
            EXPECT_FALSE(other != nodes[i] && d2(name, other->m_ptPos) < d2(name, p))
                << "the name " << NameOf(nodes[i]) << " lies nearer " << NameOf(other);
    }
}

std::string Pnml(const std::string& netContent,
                 const std::string& type = "http://www.pnml.org/version-2009/grammar/ptnet") {
    return "<?xml version=\"1.0\"?>\n<pnml xmlns=\"http://www.pnml.org/version-2009/grammar/pnml\">"
           "<net id=\"n\" type=\"" +
           type + "\"><page id=\"pg\">" + netContent + "</page></net></pnml>\n";
}

} // namespace

// The files of other tools: a file of a condition/event net comes in with the counts
// its table lists, lying on the page as drawn there and readable (pages drawn over one
// another go side by side; names by their nodes whether the tool wrote offsets or points
// of the page), through every engine alike; any other is refused, for the reason named
// here where known.
TEST(PnmlTest, FilesOfOtherToolsImportWithTheirCountsOrAreRefusedForTheirReason) {
#ifndef ZERIN_PNML_DIR
    GTEST_SKIP() << "the folder of PNML files from other tools is not beside this tree";
#else
    const std::filesystem::path folder = ZERIN_PNML_DIR;
    const std::map<std::string, std::string> reasons = {
        {"pnml-framework/samplePTnet.pnml", "3 tokens"},
        {"pnml-framework/ClientServer-symmetricnet.pnml", "high-level net"},
        {"woped/MailboxBounded.pnml", "4 tokens"},
        {"epnk/illegal-ArcOnDifferentPages.pnml", "3 tokens"},
        {"epnk/illegal-CyclicReferences.pnml", "holds 2 nets"},
        // A transition that tests a place (pre- and post-set) never fires under the
        // condition/event rule.
        {"pnml-framework/itsc-complet-1.45-PT.pnml", "(a self-loop)"},
    };
    int files = 0;
    for (const std::vector<std::string>& cell : Rows(folder / "SOURCES.tsv")) {
        ASSERT_GE(cell.size(), 11u) << cell[0];
        const std::string& file = cell[0];
        SCOPED_TRACE(file);
        CNetDesign net;
        const std::string error = Import((folder / file).string(), net);
        const bool ce = cell[9] == "yes" && cell[8].find("n/a") == std::string::npos;
        if (reasons.count(file) != 0 || !ce) {
            EXPECT_NE(error.find(reasons.count(file) ? reasons.at(file) : std::string()),
                      std::string::npos)
                << error;
            EXPECT_EQ(net.m_listElements.size(), 0u);
        } else {
            EXPECT_EQ(error, "");
            EXPECT_EQ(CountsOf(net),
                      (Counts{std::stoi(cell[6]), std::stoi(cell[7]), std::stoi(cell[8])}));
            ExpectNodesApartAndNamesByTheirNodes(net);
            std::mt19937 gen(1);
            ExpectEnginesAgree(net, net.BuildStructure(), gen);
        }
        ++files;
    }
    EXPECT_GE(files, 15);
    // The files of the other folders that import lie on the page as readably.
    int more = 0;
    for (const char* other : {"pnml-more", "mcc"})
        if (std::filesystem::is_directory(folder.parent_path() / other))
            for (const auto& entry :
                 std::filesystem::recursive_directory_iterator(folder.parent_path() / other)) {
                CNetDesign net;
                if (entry.path().extension() != ".pnml" ||
                    !Import(entry.path().string(), net).empty())
                    continue;
                SCOPED_TRACE(entry.path().filename().string());
                ExpectNodesApartAndNamesByTheirNodes(net);
                ++more;
            }
    EXPECT_GE(more, 1);
    // Of a file with several nets, one is chosen by its id; its references cycle.
    CNetDesign net;
    EXPECT_NE(Import((folder / "epnk/illegal-CyclicReferences.pnml").string(), net, "4712")
                  .find("(a cycle)"),
              std::string::npos);
    EXPECT_NE(Import((folder / "epnk/illegal-CyclicReferences.pnml").string(), net, "nope")
                  .find("no net with the id 'nope'"),
              std::string::npos);
#endif
}

// What real files do that an import must take, and what it must refuse: each row of
// tests/data/pnml-quirks/quirks.tsv a file and either the counts it gives or a part of
// the refusal.
TEST(PnmlTest, TolerableQuirksComeInAndEveryOtherNetIsRefusedWithItsReason) {
    const std::filesystem::path folder = std::filesystem::path(ZERIN_TEST_DATA) / "pnml-quirks";
    int rows = 0;
    for (std::vector<std::string> cell : Rows(folder / "quirks.tsv")) {
        cell.resize(4);
        SCOPED_TRACE(cell[0] + ": " + cell[1]);
        CNetDesign net;
        const std::string error = Import((folder / cell[0]).string(), net);
        if (cell[2].empty()) {
            EXPECT_EQ(error, "");
            Counts counts;
            std::istringstream(cell[3]) >> counts.places >> counts.transitions >> counts.arcs;
            EXPECT_EQ(CountsOf(net), counts);
        } else {
            EXPECT_NE(error.find(cell[2]), std::string::npos) << error;
            EXPECT_EQ(error.find("root:"), std::string::npos) << error;
            EXPECT_TRUE(net.m_listElements.empty());
        }
        ++rows;
    }
    EXPECT_GE(rows, 24);
    // A file too large is refused before it is read, one nested a million deep as soon as
    // it passes the limit.
    TempFolder scratch("zerin-pnml");
    const std::string deep = scratch.Path("deep.pnml");
    {
        std::ofstream out(deep);
        out << "<pnml><net id=\"n\">";
        for (int i = 0; i < 1000000; ++i)
            out << "<page id=\"g\">";
    }
    CNetDesign nested;
    EXPECT_NE(Import(deep, nested).find("nested deeper than 1000"), std::string::npos);
    const std::string huge = scratch.Path("huge.pnml");
    std::ofstream(huge) << "<pnml>";
    std::filesystem::resize_file(huge, CPnmlReader::kMaxBytes + 1);
    CNetDesign net;
    EXPECT_NE(Import(huge, net).find("larger than"), std::string::npos);
}

// Unnamed nodes take the names of new elements, skipping names the file gives; names
// given twice are made unique; crowded drawings are spread on the grid and a drawing
// without positions is laid out in layers, never two nodes on one point.
TEST(PnmlTest, NamesAreUniqueAndNodesLieApartOnThePage) {
    CNetDesign named;
    ASSERT_EQ(
        ImportText(Pnml("<place id=\"x\"/><place id=\"y\"><name><text>b1</text></name></place>"
                        "<place id=\"z\"><name><text>b1</text></name></place>"
                        "<transition id=\"t\"/>"
                        "<arc id=\"a\" source=\"x\" target=\"t\"/>"),
                   named),
        "");
    std::vector<std::string> names;
    std::set<std::pair<int, int>> points;
    for (const CPNElement* e : named.m_listElements)
        if (!NameOf(e).empty()) {
            names.push_back(NameOf(e));
            points.insert({e->m_ptPos.x, e->m_ptPos.y});
        }
    EXPECT_EQ(names, (std::vector<std::string>{"b2", "b1", "b1_2", "e1"}));
    EXPECT_EQ(points.size(), 4u);

    CNetDesign crowded;
    ASSERT_EQ(
        ImportText(Pnml("<place id=\"p\"><graphics><position x=\"1\" y=\"1\"/></graphics></place>"
                        "<transition id=\"t\"><graphics><position x=\"3\" y=\"1\"/></graphics>"
                        "</transition>"),
                   crowded),
        "");
    const CPNElement* p = crowded.m_listElements.front();
    const CPNElement* t = *std::next(crowded.m_listElements.begin(), 2);
    EXPECT_GE(t->m_ptPos.x - p->m_ptPos.x, 50);
    EXPECT_EQ(p->m_ptPos.x % 10, 0);
    EXPECT_GE(p->m_ptPos.x, 20);
}

// A contest net gives no positions for its names: each name goes beside its node, clear
// of it, and no nearer any other node than its own; only a crowded page keeps a few on
// their nodes.
TEST(PnmlTest, NamesWithoutPositionsGoBesideTheirNodes) {
#ifndef ZERIN_MCC_DIR
    GTEST_SKIP() << "the contest's nets are not beside this tree";
#else
    // The contest's small nets that a condition/event system can be made of.
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZERIN_MCC_DIR)) {
        if (entry.path().extension() != ".pnml" || entry.file_size() > 200000)
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        CNetDesign net;
        if (!Import(entry.path().string(), net).empty())
            continue;
        ++checked;
        std::vector<const CPNElement*> nodes;
        for (const CPNElement* e : net.m_listElements)
            if (CNetDesign::NameLabelOf(e))
                nodes.push_back(e);
        const auto distance2 = [](CPoint a, CPoint b) {
            const long long dx = a.x - b.x, dy = a.y - b.y;
            return dx * dx + dy * dy;
        };
        // On a crowded page a name may find no side nearer its own node than any other:
        // it stays where it was, on its node; no more than one in twenty.
        std::size_t covering = 0;
        for (const CPNElement* e : nodes) {
            const CPNLabel* label = CNetDesign::NameLabelOf(e);
            CRect overlap;
            covering += overlap.IntersectRect(label->m_rcText, e->GetBoundRect()) ? 1 : 0;
            const long long own = distance2(label->m_ptPos, e->m_ptPos);
            for (const CPNElement* other : nodes) {
                if (other != e) {
                    ASSERT_LE(own, distance2(label->m_ptPos, other->m_ptPos))
                        << label->m_strText << " lies nearer " << NameOf(other);
                }
            }
        }
        EXPECT_LE(covering * 20, nodes.size()) << covering << " names on their nodes";
    }
    EXPECT_GE(checked, 3);
#endif
}

// Export then import gives the same net: conditions, events, edges, names, tokens,
// positions, name offsets and bend points; every written file is valid PNML.
TEST(PnmlTest, ExportedRandomNetsValidateAndComeBackTheSame) {
    TempFolder folder("zerin-pnml");
    CMeasureDC dc;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        std::mt19937 gen(seed);
        CNetDesign net;
        BuildRandomNet(net, gen, 4 + static_cast<int>(seed % 13), 3 + static_cast<int>(seed % 7),
                       &dc);
        int k = 0;
        for (CPNElement* e : net.m_listElements)
            if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && ++k % 3 == 0)
                edge->SetBendPoints(
                    {CPoint(edge->m_pFrom->m_ptPos.x + 20, edge->m_pTo->m_ptPos.y + 30),
                     CPoint(700 + k, 900)});
        if (seed == 7) // a name with characters an XML id cannot hold, and a clash
            static_cast<CPNCondition*>(net.m_listElements.front())->m_pLabel->m_strText =
                "1 <&> \"x\"";
        const std::string path = folder.Path("net" + std::to_string(seed) + ".pnml");
        ASSERT_TRUE(CPnmlExport(net, "random " + std::to_string(seed)).ExportXML(path));
        if (seed % 5 == 2) {
#ifdef ZERIN_PNML_DIR
            EXPECT_EQ(XmlLintFile(path, std::string(ZERIN_PNML_DIR) + "/grammar-2009/ptnet.pntd"),
                      "")
                << TempFolder::Read(path);
#else
            EXPECT_EQ(XmlLintFile(path), "");
#endif
        }
        CNetDesign back;
        ASSERT_EQ(Import(path, back), "") << seed;
        EXPECT_EQ(Describe(back), Describe(net)) << "seed " << seed;
    }
}

// The nets of the Model Checking Contest that are condition/event systems, through every
// engine that takes them quickly: the forward class of the initial case has exactly the
// published number of states, the class both ways and its steps the counts of the table.
TEST(PnmlTest, ContestNetsHaveThePublishedNumberOfCasesOnEveryEngine) {
#ifndef ZERIN_MCC_DIR
    GTEST_SKIP() << "the contest's nets are not beside this tree";
#else
    const std::filesystem::path folder = ZERIN_MCC_DIR;
    int checked = 0;
    for (const std::vector<std::string>& cell : Rows(folder / "SOURCES.tsv")) {
        ASSERT_GE(cell.size(), 20u) << cell[0];
        // expected_states, own_case_class, own_steps, expect.
        const std::string& published = cell[5];
        const std::string& cases = cell[17];
        const std::string& steps = cell[18];
        if (cell[19] != "count" || cases.find_first_not_of("0123456789") != std::string::npos)
            continue;
        SCOPED_TRACE(cell[0]);
        CNetDesign net;
        ASSERT_EQ(Import((folder / cell[0]).string(), net), "");
        const CSetConditions initial = net.BuildStructure();
        const std::vector<CPNEvent*> events = net.GetEvents();
        const long long size = std::stoll(cases);
        std::vector<std::unique_ptr<CCaseEngine>> engines;
        CRandomSource random(1);
        CCaseGraph graph(random);
        if (std::stoll(steps) <= 700000) {
            ASSERT_EQ(graph.ComputeCaseGraph(initial, net), ECaseGraphResult::Completed);
            graph.MarkInitialCase(initial);
            engines.push_back(std::make_unique<CStoredEngine>(graph));
        }
        if (size <= 1000000) {
            auto space = std::make_unique<CCasesEngine>(events, initial);
            ASSERT_EQ(space->Run(), ECaseGraphResult::Completed);
            engines.push_back(std::move(space));
        }
        // The decision diagrams where their variable order serves them quickly.
        if (size <= 60000) {
            auto symbolic = std::make_unique<CSymbolicEngine>(events, initial);
            ASSERT_EQ(symbolic->Run(), ECaseGraphResult::Completed);
            engines.push_back(std::move(symbolic));
        }
        for (auto& engine : engines) {
            SCOPED_TRACE(engine->GetEngineName());
            EXPECT_EQ(engine->CountForwardCases(), published);
            EXPECT_EQ(engine->CountCases(), cases);
            EXPECT_EQ(engine->CountSteps(), steps);
        }
        ++checked;
    }
    EXPECT_GE(checked, 15);
#endif
}
