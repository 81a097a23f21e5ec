#include "ViewFixture.h"

#include "support/RecordingDC.h"
#include "views/CDlgProperties.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

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

TEST_F(ViewFixture, PaintShowsBorderGridAndNothingBeyondThePage) {
    doc.m_netDesign.m_sizeNet = CSize(200, 150);
    view->OnUpdate();
    const QImage image = Port()->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(199, 75), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 149), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(190, 140), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(15, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 10), QColor(Qt::black)); // no grid point on the edge
    EXPECT_EQ(image.pixelColor(250, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(210, 10), QColor(Qt::white));

    view->OnCommand(CDiagramView::ID_VIEW_GRID);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Port()->grab().toImage().pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(ViewFixture, GridAndRulerTogglesWithTheirModifiedRules) {
    EXPECT_TRUE(State(CDiagramView::ID_VIEW_GRID).checked);
    EXPECT_FALSE(State(CDiagramView::ID_VIEW_RULER).checked);
    view->OnCommand(CDiagramView::ID_VIEW_RULER);
    EXPECT_TRUE(doc.m_bRuler);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(State(CDiagramView::ID_VIEW_RULER).checked);
    const QImage image = Port()->grab().toImage();
    EXPECT_EQ(image.pixelColor(200, 3), QColor(236, 233, 216));
    EXPECT_EQ(image.pixelColor(3, 200), QColor(236, 233, 216));
    view->OnCommand(CDiagramView::ID_VIEW_GRID);
    EXPECT_FALSE(doc.m_bGrid);
    EXPECT_TRUE(doc.IsModified());
    // Snapping follows the grid.
    EXPECT_EQ(view->SnapToGrid(23, 47), CPoint(23, 47));
    view->OnCommand(CDiagramView::ID_VIEW_GRID);
    EXPECT_EQ(view->SnapToGrid(23, 47), CPoint(20, 50));
    EXPECT_EQ(view->SnapToGrid(25, 44), CPoint(30, 40));
}

TEST_F(ViewFixture, RulerLabelsEveryEightyWithoutTicksThere) {
    doc.m_netDesign.m_sizeNet = CSize(300, 120);
    RecordingDC dc;
    view->DrawRulers(dc);
    std::vector<std::string> texts;
    std::vector<CPoint> where;
    for (const DrawCall& call : dc.Calls("Text")) {
        texts.push_back(call.text);
        where.push_back(call.point);
    }
    // Across: 1, 2, 3 at 80, 160, 240; down: 1 at 80; the corner's 0.
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "2", "3", "1", "0"}));
    EXPECT_EQ(where[0], CPoint(80 - RecordingDC::kCharWidth / 2, 0));
    EXPECT_EQ(where[3], CPoint((13 - RecordingDC::kCharWidth) / 2, 80 - RecordingDC::kHeight / 2));
    for (const DrawCall& line : dc.Calls("Line")) {
        const bool across = line.rect.left == line.rect.right && line.rect.bottom == 13;
        if (across) {
            EXPECT_NE(line.rect.left % 80, 0) << line.rect.left;
        }
    }
    EXPECT_EQ(dc.Calls("Text")[0].font.lfHeight, -10);
    EXPECT_EQ(dc.Calls("Text")[0].font.lfFaceName, "Arial");

    doc.m_netDesign.m_sizeNet = CSize(79, 79);
    RecordingDC narrow;
    view->DrawRulers(narrow);
    EXPECT_EQ(narrow.Calls("Text").size(), 1u); // only the corner
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

TEST(DlgPropertiesTest, ExchangesTheTwoValues) {
    CDlgProperties dlg;
    dlg.m_nWidth = 640;
    dlg.m_nHeight = 480;
    EXPECT_EQ(dlg.windowTitle(), "Properties");
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(dlg.GetWidthEdit()->text(), "640");
        EXPECT_EQ(dlg.GetHeightEdit()->text(), "480");
        dlg.GetWidthEdit()->clear();
        QTest::keyClicks(dlg.GetWidthEdit(), "12a3");
        dlg.GetHeightEdit()->setText("");
        dlg.accept();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nWidth, 123);  // digits only
    EXPECT_EQ(dlg.m_nHeight, 480); // an empty edit keeps the value
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

TEST_F(ViewFixture, RulerMarkersFollowADragAndGoAway) {
    view->OnCommand(CDiagramView::ID_VIEW_RULER);
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(100, 100));
    Tool(View::ID_TOOL_SELECT);
    Press(QPoint(100, 100));
    Move(QPoint(101, 100));
    Move(QPoint(150, 100));
    // The marker inverts the strip at the element's x.
    QImage image = Port()->grab().toImage();
    EXPECT_NE(image.pixelColor(150, 11), QColor(236, 233, 216));
    Release(QPoint(150, 100));
    image = Port()->grab().toImage();
    EXPECT_EQ(image.pixelColor(150, 11), QColor(236, 233, 216));
}

TEST_F(ViewFixture, ScreenshotOfASmallNet) {
    DrawOneEventNet();
    // Bend the second edge and keep it selected.
    CPNEdge* edge = All<CPNEdge>()[1];
    const CPoint mid = std::next(edge->m_listPoints.begin())->m_pt;
    Click(QPoint(mid.x, mid.y));
    Drag(QPoint(mid.x, mid.y), QPoint(mid.x, mid.y + 50));
    view->resize(380, 220);
    const QImage design = view->grab().toImage();
    EXPECT_EQ(design.size(), view->size());

    doc.EnterSimulation();
    const QImage simulation = view->grab().toImage();
    // The enabled event is drawn green in simulation mode.
    bool green = false;
    for (int x = 180; x < 220 && !green; ++x)
        for (int y = 80; y < 120 && !green; ++y) {
            const QColor c = simulation.pixelColor(x, y);
            green = c.green() > 150 && c.red() < 100 && c.blue() < 100;
        }
    EXPECT_TRUE(green);

    const QByteArray dir = qgetenv("ZERIN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        design.save(QDir(QString::fromLocal8Bit(dir)).filePath("net-design.png"));
        simulation.save(QDir(QString::fromLocal8Bit(dir)).filePath("net-simulation.png"));
    }
}

#ifdef ZERIN_HAVE_PRINT_SUPPORT
#include <QPrinter>

TEST_F(ViewFixture, PrintsThePageWithItsFooter) {
    DrawOneEventNet();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    EXPECT_TRUE(view->PrintTo(printer));
    EXPECT_EQ(host.outputBarHidden, 1);
    QFile file(dir.filePath("page.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_TRUE(State(CDiagramView::ID_FILE_PRINT).enabled);
}
#endif

TEST_F(ViewFixture, ScrollingKeepsThePicture) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(150, 150));
    view->horizontalScrollBar()->setValue(50);
    view->verticalScrollBar()->setValue(30);
    QImage image = Port()->grab().toImage();
    // The condition's outline, now 50 left and 30 up: its leftmost point.
    EXPECT_EQ(image.pixelColor(150 - 50 - 15, 150 - 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(150 - 15, 150), QColor(Qt::white));

    view->OnCommand(CDiagramView::ID_VIEW_RULER);
    view->verticalScrollBar()->setValue(100);
    image = Port()->grab().toImage();
    // The rulers stay at the window's edges.
    EXPECT_EQ(image.pixelColor(200, 3), QColor(236, 233, 216));
    EXPECT_EQ(image.pixelColor(3, 200), QColor(236, 233, 216));
}
