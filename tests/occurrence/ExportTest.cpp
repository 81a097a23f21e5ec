#include "OccurrenceFixture.h"
#include "occurrence/CNetDesignExport.h"
#include "support/TempFolder.h"
#include "support/XmlLint.h"

#include <gmock/gmock.h>

#include <filesystem>

using ::testing::HasSubstr;

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n";

struct ExportTest : OccurrenceFixture {
    TempFolder folder{"zerin-export"};

    std::string NetXml() const { return CNetDesignExport(net).BuildXML(); }
};

TEST_F(ExportTest, NamesAreEscapedInTextAndAttributes) {
    CPNCondition* c = AddCondition("a&b<c>\"d\"");
    CPNEvent* e = AddEvent("x<y");
    AddEdge(c, e);
    const std::string xml = NetXml();
    EXPECT_THAT(xml, HasSubstr("<condition token=\"0\">a&amp;b&lt;c&gt;&quot;d&quot;</condition>"));
    EXPECT_THAT(xml, HasSubstr("    <from>a&amp;b&lt;c&gt;&quot;d&quot;</from>\n"));
    EXPECT_THAT(xml, HasSubstr("    <to>x&lt;y</to>\n"));
    EXPECT_EQ(CheckWellFormedXml(xml), "");

    // Occurrence net attributes as well.
    CPNCondition* b = AddCondition("b");
    net.BuildStructure();
    record.m_mapConditionNumbers.clear();
    record.Start(Case({c, b}));
    record.Layout(dc);
    All<CPNPlace>()[0]->m_label.m_strText = "\"&";
    const std::string occurrenceXml = record.BuildXML();
    EXPECT_THAT(occurrenceXml, HasSubstr("  <place name=\"&quot;&amp;\">a&amp;b&lt;c"));
    EXPECT_EQ(CheckWellFormedXml(occurrenceXml), "");
}

TEST_F(ExportTest, UnwritablePathFailsWithTheReason) {
    const std::string path = folder.Path("missing/net.xml");
    const CFileResult result = CNetDesignExport(net).ExportXML(path);
    EXPECT_FALSE(result);
    EXPECT_THAT(result.error, HasSubstr(path));
    const CFileResult occurrence = record.ExportXML(path);
    EXPECT_FALSE(occurrence);
    EXPECT_FALSE(occurrence.error.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
