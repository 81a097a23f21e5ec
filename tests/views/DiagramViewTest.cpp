#include "ViewFixture.h"
#include "views/CommandIds.h"

#include "support/RecordingDC.h"

#include <QScrollBar>

using View = CZerinNetDesignView;

TEST_F(ViewFixture, ViewPropertiesResizesThePageAtLeastOverTheElements) {
    Tool(Cmd::ID_TOOL_CONDITION);
    Click(QPoint(300, 250));
    doc.SetModifiedFlag(false);
    view->OnCommand(Cmd::ID_NET_VIEW_PROPERTIES); // cancelled
    EXPECT_EQ(doc.NetDesign().m_sizeNet, CSize(2048, 1536));
    EXPECT_FALSE(doc.IsModified());

    view->extentAnswerCx = 50;
    view->extentAnswerCy = 50;
    view->OnCommand(Cmd::ID_NET_VIEW_PROPERTIES);
    const CSize size = doc.NetDesign().m_sizeNet;
    EXPECT_GE(size.cx, 315);
    EXPECT_GE(size.cy, 265);
    EXPECT_LT(size.cx, 400);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), std::max(0, size.cx - Port()->width()));
}

#ifdef ZERIN_HAVE_PRINT_SUPPORT

#endif
