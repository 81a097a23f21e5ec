// The program's export formats: each once, in the order of the Export menus, a picture
// found by its extension, its proposed names the document's; and a table of every format writing
// every diagram it declares for a short run of a small net, the texts as recorded and the pictures
// by signature.

#include "platform/ExportFormats.h"
#include "document/CAutomaticRun.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"
#include "platform/CMeasureDC.h"
#include "support/DocAccess.h"
#include "support/Golden.h"
#include "support/NetFamilies.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr int kNet = CZerinDoc::DIAGRAM_NET_DESIGN;
constexpr int kGraph = CZerinDoc::DIAGRAM_CASE_GRAPH;
constexpr int kRecord = CZerinDoc::DIAGRAM_OCCURRENCE_NET;

// The menu texts of the diagram's Export group, or of the analyses among its formats.
std::vector<std::string> MenuOf(int nDiagram, bool bAnalysis = false) {
    std::vector<std::string> texts;
    for (const CExportFormat* format : ExportFormats().FormatsOf(nDiagram))
        if (format->IsAnalysis() == bAnalysis)
            texts.push_back(format->GetMenuText());
    return texts;
}

// A window that measures names as the views do.
struct MeasuringFrame : CFrameServices {
    CDC* GetMeasureDC() override { return &dc; }
    CMeasureDC dc;
};

} // namespace

TEST(ExportFormats, EachOnceInTheOrderOfTheExportMenus) {
    std::set<std::string> ids;
    for (const auto& format : ExportFormats().GetFormats())
        EXPECT_TRUE(ids.insert(format->GetId()).second) << format->GetId();
    const std::vector<std::string> pictures = {"Export To EMF", "Export To SVG", "Export To PDF",
                                               "Export To PNG", "Export To TikZ"};
    auto with = [&pictures](std::vector<std::string> texts) {
        texts.insert(texts.end(), pictures.begin(), pictures.end());
        return texts;
    };
    EXPECT_EQ(MenuOf(kNet), with({"Export To XML", "Export To PNML"}));
    std::vector<std::string> graph = with({"Export To XML", "Export To GraphML", "Export To DOT"});
    graph.push_back("Export To CSV");
    EXPECT_EQ(MenuOf(kGraph), graph);
    EXPECT_EQ(MenuOf(kRecord), with({"Export To XML", "Export To GraphML", "Export To DOT"}));
    EXPECT_EQ(MenuOf(kGraph, true), std::vector<std::string>{"Export Case Class To XML"});
    EXPECT_TRUE(MenuOf(kNet, true).empty() && MenuOf(kRecord, true).empty());
    // render's choice: every diagram draws in each picture format, by its extension.
    for (int nDiagram : {kNet, kGraph, kRecord})
        for (const char* ext : {"emf", "svg", "pdf", "png", "tex"}) {
            const CExportFormat* format =
                ExportFormats().FindPicture(std::string("a/b.") + ext, nDiagram);
            ASSERT_NE(format, nullptr) << ext;
            EXPECT_TRUE(format->Draws() && format->GetExtension() == ext);
        }
    EXPECT_EQ(ExportFormats().FindPicture("a/b.xml", kNet), nullptr);
}

// Every format proposes a name made of the document's for every diagram it writes, one
// name per diagram whatever the format, and two diagrams never the same.
TEST(ExportFormats, EveryProposedNameIsTheDocumentsForItsDiagram) {
    MeasuringFrame frame;
    CZerinDoc doc(frame);
    doc.NewDocument();
    doc.SetTitle("philosophers");
    const std::map<int, std::string> expected = {{kNet, "philosophers"},
                                                 {kGraph, "philosophers-CaseGraph"},
                                                 {kRecord, "philosophers-OccurrenceNet"}};
    for (const auto& format : ExportFormats().GetFormats())
        for (int nDiagram : format->GetDiagrams())
            EXPECT_EQ(format->GetProposedName(doc, nDiagram),
                      format->IsAnalysis() ? "philosophers-CaseClass" : expected.at(nDiagram))
                << format->GetId() << " " << nDiagram;
}

// The net design in design mode, the rest after two steps of b1 -> e1 -> b2 -> e2 -> b1;
// every format writes each of its diagrams once, as the model draws it. No view has named
// the case graph or laid out the record: the formats that write names see to them.
TEST(ExportFormats, EveryFormatWritesEveryDiagramItDeclares) {
    MeasuringFrame frame;
    CZerinDoc doc(frame);
    doc.GetRandom().SetFixedSeed(7);
    doc.NewDocument();
    NetBuilder net(NetOf(doc), &frame.dc);
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    net.Event("e1", {b1}, {b2});
    net.Event("e2", {b2}, {b1});
    doc.Simulation().Enter();
    ASSERT_TRUE(doc.Simulation().IsActive());
    for (int i = 0; i < 2 && doc.Simulation().ChooseAutomaticStep(CAutomaticRun::CHOOSE_LARGEST);
         ++i)
        CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    doc.CaseGraphEditor().LayOutForShowing();
    doc.CaseGraphEditor().SetLaidOut();

    const std::map<std::string, std::pair<std::size_t, std::string>> signatures = {
        {"emf", {41, "EMF"}}, {"png", {1, "PNG"}}, {"pdf", {0, "%PDF-"}}};
    const char* diagramNames[] = {"net", "casegraph", "occurrence"};
    TempFolder folder;
    std::map<std::pair<std::size_t, int>, std::string> written;
    for (bool simulating : {true, false}) {
        if (!simulating)
            doc.Simulation().Leave();
        const auto& formats = ExportFormats().GetFormats();
        for (std::size_t i = 0; i < formats.size(); ++i)
            for (int nDiagram : formats[i]->GetDiagrams()) {
                if (written.count({i, nDiagram}) || !formats[i]->CanWrite(doc, nDiagram))
                    continue;
                const std::string name = formats[i]->GetId() + "-" + diagramNames[nDiagram];
                const std::string path = folder.Path(name + "." + formats[i]->GetExtension());
                const CFileResult result = formats[i]->Write(ModelInput(doc, nDiagram), path);
                ASSERT_TRUE(result) << result.error;
                std::string bytes = TempFolder::Read(path);
                if (const auto it = signatures.find(formats[i]->GetExtension());
                    it != signatures.end()) {
                    const auto& [offset, signature] = it->second;
                    EXPECT_EQ(bytes.substr(offset, signature.size()), signature) << name;
                    bytes = "a picture that starts as " + formats[i]->GetExtension() + "\n";
                }
                written[{i, nDiagram}] = "--- " + name + "\n" + bytes;
            }
    }
    std::size_t declared = 0;
    for (const auto& format : ExportFormats().GetFormats())
        declared += format->GetDiagrams().size();
    EXPECT_EQ(written.size(), declared);
    std::string text;
    for (const auto& entry : written)
        text += entry.second;
    ExpectGolden("platform/export-formats.txt", text);
}
