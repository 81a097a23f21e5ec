// The export formats as the menus and the command line find them: the registry keeps its
// formats in order, once each, and finds a picture by its file's extension; each format
// is enabled by what the document has for each diagram it writes.

#include "document/DocFixture.h"
#include "support/DocAccess.h"

#include "formats/CCaseClassXmlFormat.h"
#include "formats/CCaseGraphXmlFormat.h"
#include "formats/CDotFormat.h"
#include "formats/CExportFormatRegistry.h"
#include "formats/CExportInput.h"
#include "formats/CGraphMLFormat.h"
#include "formats/CNetDesignXmlFormat.h"
#include "formats/COccurrenceNetXmlFormat.h"
#include "formats/CPnmlFormat.h"

#include <map>
#include <memory>

namespace {

constexpr int kNet = CZerinDoc::DIAGRAM_NET_DESIGN;
constexpr int kGraph = CZerinDoc::DIAGRAM_CASE_GRAPH;
constexpr int kRecord = CZerinDoc::DIAGRAM_OCCURRENCE_NET;

// A picture of the case graph that writes nothing.
class FakePicture : public CExportFormat {
public:
    FakePicture(std::string id, std::string extension)
        : CExportFormat(std::move(id), "Fake", std::move(extension), "as a fake",
                        {{kGraph, NEED_DRAWING | NEED_CASE_GRAPH}}) {}
    CFileResult Write(const CExportInput&, const std::string&) const override {
        return CFileResult::Success();
    }
};

CExportFormatRegistry CoreFormats() {
    CExportFormatRegistry formats;
    formats.Add(std::make_unique<CNetDesignXmlFormat>());
    formats.Add(std::make_unique<CCaseGraphXmlFormat>());
    formats.Add(std::make_unique<COccurrenceNetXmlFormat>());
    formats.Add(std::make_unique<CCaseClassXmlFormat>());
    formats.Add(std::make_unique<CPnmlFormat>());
    formats.Add(std::make_unique<CGraphMLFormat>());
    formats.Add(std::make_unique<CDotFormat>());
    return formats;
}

std::vector<std::string> Ids(const std::vector<const CExportFormat*>& formats) {
    std::vector<std::string> ids;
    for (const CExportFormat* format : formats)
        ids.push_back(format->GetId());
    return ids;
}

} // namespace

TEST(ExportFormatRegistry, KeepsTheOrderRefusesATakenIdAndFindsPicturesByExtension) {
    CExportFormatRegistry formats = CoreFormats();
    EXPECT_FALSE(formats.Add(std::make_unique<CDotFormat>()));
    EXPECT_FALSE(formats.Add(nullptr));
    EXPECT_TRUE(formats.Add(std::make_unique<FakePicture>("fake", "fk")));
    EXPECT_EQ(formats.GetFormats().size(), 8u);
    EXPECT_EQ(Ids(formats.FormatsOf(kNet)), (std::vector<std::string>{"netdesign", "pnml"}));
    EXPECT_EQ(Ids(formats.FormatsOf(kGraph)),
              (std::vector<std::string>{"casegraph", "caseclass", "graphml", "dot", "fake"}));
    EXPECT_EQ(Ids(formats.FormatsOf(kRecord)),
              (std::vector<std::string>{"occurrencenet", "graphml", "dot"}));
    EXPECT_EQ(formats.Find("caseclass")->GetMenuText(), "Export Case Class To XML");
    EXPECT_EQ(formats.Find("nothing"), nullptr);

    // Only a picture of the diagram is found, by its extension in any letter case.
    EXPECT_EQ(formats.FindPicture("/a.b/graph.FK", kGraph), formats.Find("fake"));
    for (const char* path : {"graph.fk.dot", "graph.dot", "/a.fk/graph", "graph"})
        EXPECT_EQ(formats.FindPicture(path, kGraph), nullptr) << path;
    EXPECT_EQ(formats.FindPicture("net.fk", kNet), nullptr);
}

TEST(ExportFormatRegistry, FormatsNameTheirDialogsAndMenuItems) {
    const CExportFormatRegistry formats = CoreFormats();
    const CExportFormat& graphml = *formats.Find("graphml");
    EXPECT_EQ(graphml.GetCaption(), "Export To GraphML");
    EXPECT_EQ(graphml.GetFilter(kGraph), "GraphML file (*.graphml)");
    EXPECT_EQ(graphml.GetPrompt(kRecord),
              "Write the occurrence net as GraphML for other graph tools\nExport To GraphML");
    EXPECT_EQ(formats.Find("caseclass")->GetPrompt(kGraph),
              "Write the case class as XML\nExport Case Class To XML");
    EXPECT_TRUE(formats.Find("caseclass")->IsAnalysis());
    EXPECT_FALSE(graphml.Draws());
}

// Which format may write which diagram as the document goes from design to simulation
// and back, with the steps stored or produced on demand, and for a system that is not
// contact-free. Per format (netdesign casegraph occurrencenet caseclass pnml graphml dot)
// the net design, the case graph and the occurrence net.
TEST_F(DocFixture, EachFormatIsEnabledByWhatItsDiagramNeeds) {
    const CExportFormatRegistry formats = CoreFormats();
    auto enabled = [&formats](const CZerinDoc& document) {
        std::string text;
        for (const auto& format : formats.GetFormats()) {
            text += text.empty() ? "" : " ";
            for (int nDiagram : {kNet, kGraph, kRecord})
                text += format->CanWrite(document, nDiagram) ? '1' : '.';
        }
        return text;
    };
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    net.Event("e1", {b1}, {b2});
    EXPECT_EQ(enabled(doc), "1.. ... ... ... 1.. ... ...");
    doc.Simulation().Enter();
    EXPECT_EQ(enabled(doc), "... .1. ..1 .1. ... .11 .11");
    doc.Simulation().Leave();
    EXPECT_EQ(enabled(doc), "1.. .1. ..1 ... 1.. .11 .11");

    // The other documents: one of too little memory for its steps, one whose two events
    // fill one condition.
    RecordingFrame onDemandFrame, contactFrame;
    onDemandFrame.memoryBudget = 1;
    CZerinDoc onDemand(onDemandFrame), contact(contactFrame);
    for (CZerinDoc* other : {&onDemand, &contact}) {
        other->NewDocument();
        NetBuilder builder(NetOf(*other));
        CPNCondition* c1 = builder.Condition("c1", true);
        CPNCondition* c2 = builder.Condition("c2", other == &contact);
        CPNCondition* c3 = builder.Condition("c3");
        builder.Event("f1", {c1}, {c3});
        builder.Event("f2", {c2}, {c3});
        other->Simulation().Enter();
    }
    ASSERT_FALSE(onDemand.CaseGraph().HasAllSteps());
    EXPECT_EQ(enabled(onDemand), "... ... ..1 .1. ... ..1 ..1");
    ASSERT_FALSE(contact.Record().contactFree);
    EXPECT_EQ(enabled(contact), "... .1. ... .1. ... .1. .1.");
}
