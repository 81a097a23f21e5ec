#include "FrameFixture.h"

#include "app/CGuiFrameServices.h"


namespace {

using FrameServices = FrameFixture;

TEST_F(FrameServices, ExportPathComesFromASaveDialogForXml) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    m_prompt.savePath = Scratch("net.xml");
    const std::optional<std::string> path = services.AskExportPath("net.xml");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, Scratch("net.xml").toStdString());
    EXPECT_EQ(m_prompt.defaults.value(0), QStringLiteral("net.xml"));
    EXPECT_TRUE(m_prompt.filters.value(0).startsWith(QStringLiteral("XML file (*.xml)")));
    m_prompt.savePath.clear();
    EXPECT_FALSE(services.AskExportPath("net.xml").has_value());
}

TEST_F(FrameServices, SimulationButtonsAndTitleGoToTheFrame) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    Doc().SetTitle("abc");
    services.DocumentStateChanged();
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("abc[*] - Zerin"));
    services.ShowPropertiesPage(PAGE_SIMULATION, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), Frame().GetPage(PAGE_SIMULATION));
    services.EnableSimulationButtons(true, false, true, false);
    services.ShowPropertiesPage(PAGE_HIDE, nullptr);
    EXPECT_EQ(Frame().GetCurrentPage(), nullptr);
    services.UpdateAllViews();
}

} // namespace
