#include "ViewFixture.h"

#include "support/RecordingDC.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

using View = CZerinNetDesignView;

TEST_F(ViewFixture, PageIsTheScrollSizeAndScrollingShiftsLogicalPoints) {
    const QSize port = Port()->size();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 2048 - port.width());
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 1536 - port.height());

    view->horizontalScrollBar()->setValue(100);
    view->verticalScrollBar()->setValue(40);
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(23, 47));
    EXPECT_EQ(All<CPNCondition>()[0]->m_ptPos, CPoint(120, 90));
    Move(QPoint(5, 6));
    EXPECT_EQ(host.positions.back(), QPoint(105, 46));
    // A logical rectangle is repainted where the window shows it.
    view->invalidated.clear();
    view->InvalidateLogical(CRect(110, 50, 130, 60));
    ASSERT_EQ(view->invalidated.size(), 1u);
    EXPECT_EQ(view->invalidated[0], QRect(10, 10, 20, 10));
}

TEST_F(ViewFixture, ViewPropertiesResizesThePageAtLeastOverTheElements) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(300, 250));
    doc.SetModifiedFlag(false);
    view->OnCommand(View::ID_VIEW_PROPERTIES); // cancelled
    EXPECT_EQ(doc.m_netDesign.m_sizeNet, CSize(2048, 1536));
    EXPECT_FALSE(doc.IsModified());

    view->extentAnswerCx = 50;
    view->extentAnswerCy = 50;
    view->OnCommand(View::ID_VIEW_PROPERTIES);
    const CSize size = doc.m_netDesign.m_sizeNet;
    EXPECT_GE(size.cx, 315);
    EXPECT_GE(size.cy, 265);
    EXPECT_LT(size.cx, 400);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), std::max(0, size.cx - Port()->width()));
}

TEST_F(ViewFixture, ExportWritesThePictureOrSaysWhyNot) {
    DrawOneEventNet();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    view->exportPath = dir.filePath("net");
    view->OnCommand(View::ID_EXPORT_EMF);
    EXPECT_EQ(view->askedFilter, "Net Design (*.emf);;All files (*.*)");
    EXPECT_EQ(view->askedName, "Untitled");
    QFile file(dir.filePath("net.emf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 100);
    EXPECT_TRUE(view->errors.isEmpty());

    view->exportPath = dir.filePath("missing/folder/net.emf");
    view->OnCommand(View::ID_EXPORT_EMF);
    ASSERT_EQ(view->errors.size(), 1);
    EXPECT_FALSE(view->errors[0].isEmpty());

    view->exportPath.clear(); // cancelled
    view->OnCommand(View::ID_EXPORT_EMF);
    EXPECT_EQ(view->errors.size(), 1);
}

#ifdef ZERIN_HAVE_PRINT_SUPPORT

#endif
