#include "FrameFixture.h"

#include "app/CCaseGraphProgressDialog.h"
#include "app/CGuiFrameServices.h"

#include <QApplication>

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

TEST_F(FrameServices, ErrorsAndUnavailableDialogsReachTheUser) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    services.ShowError("Cannot write /x.xml");
    ASSERT_EQ(m_prompt.messages.size(), 1);
    EXPECT_EQ(m_prompt.messages[0], QStringLiteral("Cannot write /x.xml"));
    services.ShowCaseClassDialog(CCaseClassInput{});
    EXPECT_EQ(m_prompt.messages.size(), 2);
    services.ShowBreakPointsDialog(Doc().m_dlgBreakPoints);
    EXPECT_EQ(m_prompt.dialogs.size(), 1);
}

TEST_F(FrameServices, CaseGraphProgressHasADialogUntilTheEnd) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    EXPECT_TRUE(services.CaseGraphProgress(1, 1)); // no dialog: go on
    services.BeginCaseGraphProgress();
    ASSERT_NE(services.GetProgressDialog(), nullptr);
    EXPECT_EQ(services.GetProgressDialog()->parentWidget(), &Frame());
    EXPECT_TRUE(services.CaseGraphProgress(10, 20));
    services.EndCaseGraphProgress();
    EXPECT_EQ(services.GetProgressDialog(), nullptr);
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
