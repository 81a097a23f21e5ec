#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"
#include "support/TempFolder.h"
#include "support/XmlLint.h"

#include <gtest/gtest.h>

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n";

// c1 {a} -- s1 {e} --> c2 {}, from a net with conditions and one event.
struct SmallGraph {
    CNetDesign net;
    CRandomSource random{1};
    CCaseGraph graph{random};
    CPNCondition* a;
    CPNEvent* e;

    explicit SmallGraph(const std::string& condition = "a", const std::string& event = "e") {
        NetBuilder b(net);
        a = b.Condition(condition, true);
        e = b.Event(event, {a}, {});
        graph.ComputeCaseGraph(b.Build(), net);
    }
};

TEST(CaseGraphXml, MarkupCharactersAreEscapedAndTheFileIsWellFormed) {
    SmallGraph g("a<b & \"c\">", "x&y");
    RecordingDC dc;
    g.graph.NameElements(dc);
    const std::string xml = g.graph.CaseGraphXML();
    EXPECT_NE(xml.find("{ a&lt;b &amp; &quot;c&quot;&gt; }</case>"), std::string::npos);
    EXPECT_NE(xml.find("{ x&amp;y }    <from"), std::string::npos);
    TempFolder folder;
    const std::string path = folder.Path("escaped.xml");
    ASSERT_TRUE(g.graph.ExportCaseGraphXML(path));
    EXPECT_TRUE(XmlLintFile(path).empty());
    ASSERT_TRUE(g.graph.ExportCaseClassXML(path));
    EXPECT_TRUE(XmlLintFile(path).empty());
}

TEST(CaseGraphXml, AnUnwritablePathFailsWithAReason) {
    SmallGraph g;
    const CFileResult result = g.graph.ExportCaseGraphXML("/nonexistent-dir/x/graph.xml");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(g.graph.ExportCaseClassXML("/nonexistent-dir/x/class.xml"));
}

TEST(CaseGraphNames, NamesLegendLinesAndPrintedLegend) {
    SmallGraph g;
    RecordingDC dc;
    g.graph.NameElements(dc);
    const CPNStep* first = g.graph.MakeStep(0);
    EXPECT_EQ(g.graph.StepLabels()[0]->m_pOwner, first);
    RecordingOutputSink sink;
    sink.panes[PANE_CASEGRAPH_LEGEND].push_back("old");
    g.graph.WriteNames();
    EXPECT_EQ(sink.cleared, std::vector<int>{PANE_CASEGRAPH_LEGEND});
    EXPECT_EQ(sink.panes[PANE_CASEGRAPH_LEGEND],
              (std::vector<std::string>{"Names of cases...", "c1: { a }", "c2: {}", "",
                                        "Names of steps...", "s1: { e }"}));
    dc.Clear();
    g.graph.DrawNameLegend(dc, 20);
    const auto texts = dc.Calls("Text");
    ASSERT_EQ(texts.size(), 5u);
    const char* lines[] = {"Names of cases:", "c1: { a }", "c2: {}",
                           "Names of steps:", "s1: { e }"};
    const int ys[] = {-740, -760, -780, -820, -840};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(std::make_pair(texts[i].text, texts[i].point),
                  std::make_pair(std::string(lines[i]), CPoint(720, ys[i])));
}

} // namespace
