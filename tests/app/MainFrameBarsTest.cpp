#include "FrameFixture.h"

#include "app/CGuiFrameServices.h"
#include "app/COutputBar.h"

#include "app/CDlgPropertiesBar.h"
#include "base/OutputWriter.h"

namespace {

using MainFrameBars = FrameFixture;

TEST_F(MainFrameBars, PagesNeverDock) {
    for (int nKind : {PAGE_POLYGON, PAGE_LABEL, PAGE_CONDITION, PAGE_EVENT, PAGE_SIMULATION}) {
        CDlgPropertiesBar* pPage = Frame().GetPage(nKind);
        EXPECT_EQ(pPage->allowedAreas(), Qt::NoDockWidgetArea);
        EXPECT_FALSE(pPage->features() & QDockWidget::DockWidgetFloatable);
    }
    EXPECT_EQ(Frame().GetOutputBar().allowedAreas(), Qt::BottomDockWidgetArea);
    EXPECT_EQ(Frame().dockWidgetArea(&Frame().GetOutputBar()), Qt::BottomDockWidgetArea);
}

TEST_F(MainFrameBars, ExportPathComesFromASaveDialogForXml) {
    CGuiFrameServices& services = Frame().GetFrameServices();
    m_prompt.savePath = Scratch("net.xml");
    const std::optional<std::string> path = services.AskExportPath("net");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, Scratch("net.xml").toStdString());
    // The name proposed and the one typed get the extension before any overwrite question.
    EXPECT_EQ(m_prompt.defaults.value(0), QStringLiteral("net.xml"));
    EXPECT_EQ(m_prompt.suffixes.value(0), QStringLiteral("xml"));
    EXPECT_TRUE(m_prompt.filters.value(0).startsWith(QStringLiteral("XML file (*.xml)")));
    m_prompt.savePath.clear();
    EXPECT_FALSE(services.AskExportPath("net.xml").has_value());
}

} // namespace
