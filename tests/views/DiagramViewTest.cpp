#include "ViewFixture.h"
#include "views/CommandIds.h"

#include "support/RecordingDC.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

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

TEST_F(ViewFixture, ExportWritesThePictureOrSaysWhyNot) {
    DrawOneEventNet();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    view->exportPath = dir.filePath("net");
    view->OnCommand(Cmd::ID_NET_EXPORT_EMF);
    EXPECT_EQ(view->askedFilter, "Net Design (*.emf);;All files (*.*)");
    EXPECT_EQ(view->askedName, "Untitled");
    QFile file(dir.filePath("net.emf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 100);
    EXPECT_TRUE(view->errors.isEmpty());

    view->exportPath = dir.filePath("missing/folder/net.emf");
    view->OnCommand(Cmd::ID_NET_EXPORT_EMF);
    ASSERT_EQ(view->errors.size(), 1);
    EXPECT_FALSE(view->errors[0].isEmpty());

    view->exportPath.clear(); // cancelled
    view->OnCommand(Cmd::ID_NET_EXPORT_EMF);
    EXPECT_EQ(view->errors.size(), 1);
}

#ifdef ZERIN_HAVE_PRINT_SUPPORT

#endif
