#include "ViewFixture.h"

#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"

#include <QDir>

using View = CZerinNetDesignView;

namespace {

class ExampleNetsTest : public ViewFixture, public ::testing::WithParamInterface<const char*> {};

} // namespace

// The shipped examples open, pass the C/E system test and play.
TEST_P(ExampleNetsTest, OpensPassesTheTestAndFires) {
    CMeasureDC dc;
    ASSERT_TRUE(CExampleNets::Build(GetParam(), doc, dc)) << GetParam();
    view->OnUpdate();
    doc.EnterSimulation();
    ASSERT_TRUE(doc.m_bSimulation);
    const auto& lines = sink.panes[PANE_STANDARD];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Net is C/E system"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "System is contact-free"), lines.end());

    const QByteArray dir = qgetenv("ZERIN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        view->resize(960, 820);
        view->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString(GetParam()) + ".png"));
    }

    CPNEvent* enabled = nullptr;
    for (CPNEvent* e : All<CPNEvent>())
        if (e->m_bEnabled && !enabled)
            enabled = e;
    ASSERT_NE(enabled, nullptr);
    doc.Select(enabled, false);
    sink.Reset();
    EXPECT_TRUE(view->ExecuteStep());
    ASSERT_EQ(sink.panes[PANE_SIMULATION].size(), 1u);
    EXPECT_EQ(sink.panes[PANE_SIMULATION][0].rfind("Executed step { " + Name(enabled) + " }", 0),
              0u);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleNetsTest,
                         ::testing::Values("mutex", "producer-consumer", "philosophers"));
