#include "ViewFixture.h"
#include "views/CommandIds.h"

#include "document/CDocumentFile.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

using View = CZerinNetDesignView;

namespace {} // namespace

TEST_F(ViewFixture, ToolClicksCreateNamedSnappedElements) {
    Tool(Cmd::ID_TOOL_CONDITION);
    EXPECT_TRUE(State(Cmd::ID_TOOL_CONDITION).checked);
    EXPECT_FALSE(State(Cmd::ID_TOOL_SELECT).checked);
    Click(QPoint(23, 47));
    Click(QPoint(80, 47));
    Tool(Cmd::ID_TOOL_EVENT);
    Click(QPoint(150, 150));
    Tool(Cmd::ID_TOOL_LABEL);
    Click(QPoint(200, 220));

    const auto conditions = All<CPNCondition>();
    ASSERT_EQ(conditions.size(), 2u);
    EXPECT_EQ(conditions[0]->m_ptPos, CPoint(20, 50));
    EXPECT_EQ(Name(conditions[0]), "b1");
    EXPECT_EQ(Name(conditions[1]), "b2");
    // The name label sits 30 above and belongs to its condition.
    EXPECT_EQ(conditions[0]->m_pLabel->m_ptPos, CPoint(20, 20));
    EXPECT_EQ(conditions[0]->m_pLabel->m_pOwner, conditions[0]);
    ASSERT_EQ(All<CPNEvent>().size(), 1u);
    EXPECT_EQ(Name(All<CPNEvent>()[0]), "e1");
    const auto labels = All<CPNLabel>();
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels.back()->GetText(), "Text1");
    EXPECT_EQ(labels.back()->m_pOwner, nullptr);
    EXPECT_EQ(labels.back()->m_ptPos, CPoint(200, 220));
    // The new element alone is selected and its page shown; the net must be tested again.
    EXPECT_EQ(doc.Selection().Elements(), std::list<CPNElement*>{labels.back()});
    EXPECT_EQ(host.pages.back(), PAGE_LABEL);
    EXPECT_TRUE(doc.Record().netModified);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewFixture, DragMovesBySnappedAccumulatedSteps) {
    Tool(Cmd::ID_TOOL_CONDITION);
    Click(QPoint(20, 50));
    Tool(Cmd::ID_TOOL_SELECT);
    CPNCondition* b1 = All<CPNCondition>()[0];
    doc.SetModifiedFlag(false);

    Press(QPoint(20, 50));
    EXPECT_EQ(view->GetDraggedElement(), b1);
    Move(QPoint(20, 50)); // skipped after the press
    Move(QPoint(23, 50));
    EXPECT_EQ(b1->m_ptPos, CPoint(20, 50));
    EXPECT_FALSE(doc.IsModified());
    Move(QPoint(26, 50));
    EXPECT_EQ(b1->m_ptPos, CPoint(30, 50));
    EXPECT_EQ(b1->m_pLabel->m_ptPos, CPoint(30, 20));
    EXPECT_EQ(host.positions.back(), QPoint(30, 50));
    EXPECT_TRUE(doc.IsModified());
    Release(QPoint(26, 50));
    EXPECT_EQ(view->GetDraggedElement(), nullptr);
}

TEST_F(ViewFixture, SmallBandSelectsNothingLargeBandSelectsInside) {
    DrawOneEventNet();
    CPNCondition* b1 = All<CPNCondition>()[0];
    Click(QPoint(100, 100));
    ASSERT_TRUE(doc.Selection().IsSelected(b1));

    // 10 x 10: a squared diagonal of exactly 200.
    Press(QPoint(20, 200));
    Move(QPoint(21, 201));
    Move(QPoint(30, 210));
    Release(QPoint(30, 210));
    EXPECT_FALSE(doc.Selection().IsSelected(nullptr));

    Click(QPoint(100, 100));
    Press(QPoint(60, 50));
    Move(QPoint(61, 51));
    Move(QPoint(240, 140));
    Release(QPoint(240, 140));
    std::vector<std::string> names;
    for (CPNElement* e : doc.Selection())
        names.push_back(Name(e));
    EXPECT_NE(std::find(names.begin(), names.end(), "b1"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "e1"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "b2"), names.end());
    EXPECT_EQ(host.pages.back(), PAGE_HIDE);
}

TEST_F(ViewFixture, BendPointDragsUnderAnyToolAndPointCommands) {
    DrawOneEventNet();
    CPNEdge* edge = All<CPNEdge>()[0]; // b1 -> e1
    const CPoint mid = std::next(edge->m_listPoints.begin())->m_pt;
    Click(QPoint(mid.x, mid.y));
    ASSERT_TRUE(doc.Selection().IsSelected(edge));

    // The midpoint handle becomes a bend point even with the Condition tool.
    Tool(Cmd::ID_TOOL_CONDITION);
    Press(QPoint(mid.x, mid.y));
    EXPECT_EQ(view->GetDraggedElement(), edge);
    Move(QPoint(mid.x + 1, mid.y));
    Move(QPoint(mid.x, mid.y + 40));
    Release(QPoint(mid.x, mid.y + 40));
    EXPECT_TRUE(edge->m_bBent);
    EXPECT_EQ(All<CPNCondition>().size(), 2u);

    const CPoint bend = view->SnapToGrid(mid.x, mid.y + 40);
    view->menuChoice.clear();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(bend.x, bend.y),
                                Port()->mapToGlobal(QPoint(bend.x, bend.y)));
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_EQ(view->menuTitle, "Edge");
    // What can be done to the edge, then the points.
    EXPECT_EQ(view->menuItems, (QStringList{"Delete", "Bring to Front", "Send to Back", "",
                                            "Delete Point", "Delete All Points"}));
    EXPECT_EQ(view->menuEnabled, (std::vector<bool>{true, true, true, true, true, true}));

    view->menuChoice = "Delete Point";
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_FALSE(edge->m_bBent);
    EXPECT_FALSE(State(Cmd::ID_EDGE_DELETE_ALL_POINTS).enabled);
}

TEST_F(ViewFixture, DeleteKeyAndCommandDeleteTheSelection) {
    DrawOneEventNet();
    Click(QPoint(380, 280));
    EXPECT_FALSE(State(Cmd::ID_EDIT_DELETE).enabled);
    Click(QPoint(200, 100));
    EXPECT_TRUE(State(Cmd::ID_EDIT_DELETE).enabled);
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    // The event goes with its name label and both edges.
    EXPECT_TRUE(All<CPNEvent>().empty());
    EXPECT_TRUE(All<CPNEdge>().empty());
    EXPECT_EQ(All<CPNLabel>().size(), 2u);
    EXPECT_EQ(host.pages.back(), PAGE_HIDE);

    // A name label alone cannot be deleted.
    Click(QPoint(100, 70));
    ASSERT_TRUE(dynamic_cast<CPNLabel*>(doc.Selection().First()));
    EXPECT_FALSE(State(Cmd::ID_EDIT_DELETE).enabled);
    view->OnCommand(Cmd::ID_EDIT_DELETE);
    EXPECT_EQ(All<CPNLabel>().size(), 2u);
}

TEST_F(ViewFixture, ToolsAreRefusedInSimulationExceptSelect) {
    DrawOneEventNet();
    Tool(Cmd::ID_TOOL_EDGE);
    doc.Simulation().Enter();
    ASSERT_TRUE(doc.Simulation().IsActive());
    EXPECT_EQ(view->GetTool(), static_cast<unsigned>(Cmd::ID_TOOL_SELECT));
    EXPECT_EQ(host.pages.back(), PAGE_SIMULATION);
    for (int id = Cmd::ID_TOOL_CONDITION; id <= Cmd::ID_TOOL_TOKEN; ++id)
        EXPECT_FALSE(State(id).enabled) << id;
    EXPECT_TRUE(State(Cmd::ID_TOOL_SELECT).enabled);
    view->OnCommand(Cmd::ID_TOOL_CONDITION);
    EXPECT_EQ(view->GetTool(), static_cast<unsigned>(Cmd::ID_TOOL_SELECT));
    EXPECT_FALSE(State(Cmd::ID_EDIT_DELETE).enabled);
    EXPECT_FALSE(State(Cmd::ID_NET_VIEW_PROPERTIES).enabled);
    EXPECT_FALSE(State(Cmd::ID_VIEW_GRID).enabled);
}

// At 25 %, 100 % and 400 % a click on an element's pixels selects it, the status bar
// shows the logical point under the mouse, the element is painted where the mapping
// puts it, and Ctrl+wheel keeps the point under the mouse in place. Nothing logical
// changes with the zoom.
TEST_F(ViewFixture, ZoomKeepsHitsPositionsAndPaintingInStep) {
    DrawOneEventNet();
    CPNCondition* b2 = All<CPNCondition>()[1];
    const CPoint at = b2->m_ptPos;
    view->resize(900, 700);
    for (int zoom : {25, 100, 400}) {
        SCOPED_TRACE(zoom);
        view->SetZoom(zoom, QPoint(0, 0));
        EXPECT_EQ(view->GetZoom(), zoom);
        // Scroll so that b2 is in the window, then click its device point.
        const QPoint device = view->LogicalToDevice(at);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + device.x() -
                                              200);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + device.y() - 150);
        const QPoint p = view->LogicalToDevice(at);
        EXPECT_EQ(view->DeviceToLogical(p), at);
        Click(p);
        EXPECT_EQ(doc.Selection().Elements(), std::list<CPNElement*>{b2});
        Move(p + QPoint(8, 4));
        ASSERT_FALSE(host.positions.empty());
        EXPECT_EQ(host.positions.back(), QPoint(view->DeviceToLogical(p + QPoint(8, 4)).x,
                                                view->DeviceToLogical(p + QPoint(8, 4)).y));
        // The circle's outline: the image has ink where the mapping puts its left edge.
        QImage image(view->viewport()->size(), QImage::Format_RGB32);
        {
            QPainter painter(&image);
            view->PaintArea(painter, image.rect());
        }
        const QPoint left = view->LogicalToDevice(CPoint(at.x - 15, at.y)); // the radius
        bool ink = false;
        for (int dx = -1; dx <= 1; ++dx)
            ink = ink || QColor(image.pixel(left + QPoint(dx, 0))).lightness() < 128;
        EXPECT_TRUE(ink);
        doc.Selection().Clear();
    }
    EXPECT_EQ(b2->m_ptPos, at);

    // Ctrl+wheel: one stop in, the point under the mouse stays under it.
    view->SetZoom(100, QPoint(0, 0));
    const QPoint mouse(300, 200);
    const CPoint under = view->DeviceToLogical(mouse);
    QWheelEvent wheel(mouse, view->viewport()->mapToGlobal(mouse), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_EQ(view->GetZoom(), 125);
    EXPECT_LE(std::abs(view->DeviceToLogical(mouse).x - under.x), 1);
    EXPECT_LE(std::abs(view->DeviceToLogical(mouse).y - under.y), 1);
    // The stops end at 25 % and 400 %; Fit Page shows the whole page.
    for (int i = 0; i < 20; ++i)
        view->OnCommand(Cmd::ID_VIEW_ZOOM_OUT);
    EXPECT_EQ(view->GetZoom(), 25);
    EXPECT_FALSE(State(Cmd::ID_VIEW_ZOOM_OUT).enabled);
    view->OnCommand(Cmd::ID_VIEW_ZOOM_FIT);
    const CSize extent = view->GetExtent();
    EXPECT_LE(extent.cx * view->GetZoom() / 100, view->viewport()->width());
    EXPECT_LE(extent.cy * view->GetZoom() / 100, view->viewport()->height());
    view->OnCommand(Cmd::ID_VIEW_ZOOM_ACTUAL);
    EXPECT_EQ(view->GetZoom(), 100);
}

// Select All, Copy and Paste through the view: the clipboard holds the fragment and its
// pictures; the pasted copy lies two grid steps off, selected, with new names; in
// simulation none of it is offered.
TEST_F(ViewFixture, CopyAndPasteThroughTheClipboard) {
    DrawOneEventNet();
    ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_SELECT_ALL));
    EXPECT_EQ(doc.Selection().size(), 5u);
    ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_COPY));
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(pData, nullptr);
    EXPECT_TRUE(pData->hasFormat(QStringLiteral("application/x-zerin-fragment")));
    EXPECT_TRUE(pData->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
    EXPECT_TRUE(pData->data(QStringLiteral("image/png")).startsWith("\x89PNG"));
    EXPECT_TRUE(State(Cmd::ID_EDIT_PASTE).enabled);
    QCursor::setPos(view->viewport()->mapToGlobal(QPoint(-50, -50)));
    ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_PASTE));
    const auto conditions = All<CPNCondition>();
    ASSERT_EQ(conditions.size(), 4u);
    EXPECT_EQ(conditions[2]->m_ptPos, CPoint(conditions[0]->m_ptPos.x + 2 * doc.Record().gridSize,
                                             conditions[0]->m_ptPos.y + 2 * doc.Record().gridSize));
    EXPECT_EQ(Name(conditions[2]), "b3");
    EXPECT_EQ(All<CPNEdge>().size(), 4u);
    EXPECT_EQ(doc.Selection().size(), 5u);
    // Pasted again, each copy lies two grid steps further on: none hides another.
    for (int n = 2; n <= 3; ++n) {
        ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_PASTE));
        const auto all = All<CPNCondition>();
        ASSERT_EQ(all.size(), 2u * (n + 1));
        EXPECT_EQ(all.back()->m_ptPos, CPoint(conditions[1]->m_ptPos.x + 2 * n * doc.Record().gridSize,
                                              conditions[1]->m_ptPos.y + 2 * n * doc.Record().gridSize));
    }
    // A fresh copy (the last paste) starts again two grid steps off.
    ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_COPY));
    ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_PASTE));
    ASSERT_EQ(All<CPNCondition>().size(), 10u);
    EXPECT_EQ(All<CPNCondition>().back()->m_ptPos,
              CPoint(conditions[1]->m_ptPos.x + 8 * doc.Record().gridSize,
                     conditions[1]->m_ptPos.y + 8 * doc.Record().gridSize));

    doc.Simulation().Enter();
    view->OnUpdate();
    if (doc.Simulation().IsActive()) {
        EXPECT_FALSE(State(Cmd::ID_EDIT_PASTE).enabled);
        EXPECT_FALSE(State(Cmd::ID_EDIT_COPY).enabled);
        view->OnCommand(Cmd::ID_EDIT_PASTE);
        EXPECT_EQ(All<CPNCondition>().size(), 10u);
    }
}

// Esc during a drag takes back what the drag moved and leaves no edit behind, for one
// element and for the selection alike; the next drag is an edit of its own.
TEST_F(ViewFixture, EscapeDuringADragLeavesNoEditAndNoChange) {
    DrawOneEventNet();
    doc.History().Reset();
    const std::vector<std::uint8_t> before = CDocumentFile::Store(doc);
    CPNCondition* b1 = All<CPNCondition>()[0];
    const QPoint at(b1->m_ptPos.x, b1->m_ptPos.y);
    for (bool selection : {false, true}) {
        SCOPED_TRACE(selection);
        if (selection) {
            ASSERT_TRUE(view->OnCommand(Cmd::ID_EDIT_SELECT_ALL));
        }
        Press(at);
        Move(at + QPoint(1, 0));
        Move(at + QPoint(40, 30));
        ASSERT_NE(b1->m_ptPos, CPoint(at.x(), at.y()));
        QTest::keyClick(view.get(), Qt::Key_Escape);
        Release(at + QPoint(40, 30));
        EXPECT_EQ(CDocumentFile::Store(doc), before);
        EXPECT_FALSE(doc.History().CanUndo());
        EXPECT_EQ(view->GetDraggedElement(), nullptr);
    }
    doc.Selection().Clear();
    Drag(at, at + QPoint(40, 30));
    EXPECT_EQ(doc.History().UndoText(), "Move");
}
