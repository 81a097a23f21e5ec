#include "ViewFixture.h"

#include "model/CPNPolygon.h"

using View = CZerinNetDesignView;

namespace {

QRect Device(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

bool Covers(const std::vector<QRect>& rects, const QRect& r) {
    QRegion region;
    for (const QRect& q : rects)
        region += q;
    return (QRegion(r) - region).isEmpty();
}

} // namespace

TEST_F(ViewFixture, ToolClicksCreateNamedSnappedElements) {
    Tool(View::ID_TOOL_CONDITION);
    EXPECT_TRUE(State(View::ID_TOOL_CONDITION).checked);
    EXPECT_FALSE(State(View::ID_TOOL_SELECT).checked);
    Click(QPoint(23, 47));
    Click(QPoint(80, 47));
    Tool(View::ID_TOOL_EVENT);
    Click(QPoint(150, 150));
    Tool(View::ID_TOOL_LABEL);
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
    EXPECT_EQ(doc.m_listSelection, std::list<CPNElement*>{labels.back()});
    EXPECT_EQ(host.pages.back(), PAGE_LABEL);
    EXPECT_TRUE(doc.m_bNetModified);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewFixture, ClicksOutsideThePageAreIgnored) {
    doc.m_netDesign.m_sizeNet = CSize(200, 150);
    view->OnUpdate();
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(250, 100));
    Click(QPoint(100, 160));
    EXPECT_TRUE(All<CPNCondition>().empty());
    // Moves beyond the page are reported clamped to it.
    Move(QPoint(300, 300));
    EXPECT_EQ(host.positions.back(), QPoint(200, 150));
}

TEST_F(ViewFixture, EdgesOnlyBetweenConditionAndEventAndNeverTwice) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(100, 100));
    Click(QPoint(100, 200));
    Tool(View::ID_TOOL_EVENT);
    Click(QPoint(250, 100));
    Tool(View::ID_TOOL_EDGE);

    Drag(QPoint(100, 100), QPoint(100, 200)); // condition to condition
    Drag(QPoint(100, 100), QPoint(300, 250)); // to empty space
    Press(QPoint(100, 100));                  // no movement at all
    Release(QPoint(250, 100));
    EXPECT_TRUE(All<CPNEdge>().empty());

    Drag(QPoint(100, 100), QPoint(250, 100));
    ASSERT_EQ(All<CPNEdge>().size(), 1u);
    Drag(QPoint(102, 98), QPoint(252, 102)); // the same edge again
    EXPECT_EQ(All<CPNEdge>().size(), 1u);
    Drag(QPoint(250, 100), QPoint(100, 100)); // the other direction is another edge
    ASSERT_EQ(All<CPNEdge>().size(), 2u);
    CPNEdge* edge = All<CPNEdge>().back();
    EXPECT_EQ(Name(edge->m_pFrom), "e1");
    EXPECT_EQ(Name(edge->m_pTo), "b1");
    EXPECT_EQ(doc.m_listSelection, std::list<CPNElement*>{edge});
    // Nothing of the rubber line stays on the screen.
    const QImage image = view->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(175, 200), QColor(Qt::white));
}

TEST_F(ViewFixture, RubberLineInvertsWhatLiesUnderIt) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(100, 100));
    Tool(View::ID_TOOL_EDGE);
    Press(QPoint(100, 100));
    Move(QPoint(250, 100));
    QImage image = view->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(205, 100), QColor(Qt::black)); // white inverted
    Move(QPoint(250, 150));
    image = view->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(205, 100), QColor(Qt::white)); // the old line is gone
    Release(QPoint(250, 150));
    image = view->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(200, 133), QColor(Qt::white));
}

TEST_F(ViewFixture, DragMovesBySnappedAccumulatedSteps) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(20, 50));
    Tool(View::ID_TOOL_SELECT);
    CPNCondition* b1 = All<CPNCondition>()[0];
    doc.SetModifiedFlag(false);

    Press(QPoint(20, 50));
    EXPECT_EQ(view->GetDragMode(), View::DRAG_CONDITION);
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
    EXPECT_EQ(view->GetDragMode(), View::DRAG_NONE);
}

TEST_F(ViewFixture, DragRepaintsOnlyOldAndNewBounds) {
    DrawOneEventNet();
    CPNEvent* e1 = All<CPNEvent>()[0];
    Press(QPoint(200, 100));
    Move(QPoint(201, 100));
    const CRect before = e1->GetBoundRect() | e1->m_pLabel->GetBoundRect();
    view->invalidated.clear();
    Move(QPoint(200, 140));
    const CRect after = e1->GetBoundRect() | e1->m_pLabel->GetBoundRect();
    Release(QPoint(200, 140));
    EXPECT_EQ(e1->m_ptPos, CPoint(200, 140));
    ASSERT_FALSE(view->invalidated.empty());
    QRect all;
    for (const QRect& r : view->invalidated)
        all |= r;
    // Old and new place of the event and its label are repainted, the window is not.
    EXPECT_TRUE(Covers(view->invalidated, Device(before)));
    EXPECT_TRUE(Covers(view->invalidated, Device(after)));
    EXPECT_LT(all.width() * all.height(), 420 * 320 / 2);
    // The attached edges followed the event.
    for (CPNEdge* edge : All<CPNEdge>())
        EXPECT_TRUE(Covers(view->invalidated, Device(edge->GetBoundRect())));
}

TEST_F(ViewFixture, SmallBandSelectsNothingLargeBandSelectsInside) {
    DrawOneEventNet();
    CPNCondition* b1 = All<CPNCondition>()[0];
    Click(QPoint(100, 100));
    ASSERT_TRUE(doc.IsSelected(b1));

    // 10 x 10: a squared diagonal of exactly 200.
    Press(QPoint(20, 200));
    Move(QPoint(21, 201));
    Move(QPoint(30, 210));
    Release(QPoint(30, 210));
    EXPECT_FALSE(doc.IsSelected(nullptr));

    Click(QPoint(100, 100));
    Press(QPoint(60, 50));
    Move(QPoint(61, 51));
    Move(QPoint(240, 140));
    Release(QPoint(240, 140));
    std::vector<std::string> names;
    for (CPNElement* e : doc.m_listSelection)
        names.push_back(Name(e));
    EXPECT_NE(std::find(names.begin(), names.end(), "b1"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "e1"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "b2"), names.end());
    EXPECT_EQ(host.pages.back(), PAGE_HIDE);
}

TEST_F(ViewFixture, ShiftAndControlAddAndDeselectWithoutDrag) {
    DrawOneEventNet();
    CPNCondition* b1 = All<CPNCondition>()[0];
    CPNCondition* b2 = All<CPNCondition>()[1];
    Click(QPoint(100, 100));
    Click(QPoint(300, 100), Qt::ShiftModifier);
    EXPECT_TRUE(doc.HasMultipleSelection());
    EXPECT_EQ(host.pages.back(), PAGE_HIDE);

    // Dragging one of several moves them all.
    Press(QPoint(300, 100));
    EXPECT_EQ(view->GetDragMode(), View::DRAG_SELECTION);
    Move(QPoint(301, 100));
    Move(QPoint(300, 120));
    Release(QPoint(300, 120));
    EXPECT_EQ(b1->m_ptPos, CPoint(100, 120));
    EXPECT_EQ(b2->m_ptPos, CPoint(300, 120));

    Press(QPoint(300, 120), Qt::ControlModifier);
    EXPECT_EQ(view->GetDragMode(), View::DRAG_NONE);
    Move(QPoint(300, 160));
    Release(QPoint(300, 160), Qt::ControlModifier);
    EXPECT_EQ(b2->m_ptPos, CPoint(300, 120));
    EXPECT_EQ(doc.m_listSelection, std::list<CPNElement*>{b1});
}

TEST_F(ViewFixture, BendPointDragsUnderAnyToolAndPointCommands) {
    DrawOneEventNet();
    CPNEdge* edge = All<CPNEdge>()[0]; // b1 -> e1
    const CPoint mid = std::next(edge->m_listPoints.begin())->m_pt;
    Click(QPoint(mid.x, mid.y));
    ASSERT_TRUE(doc.IsSelected(edge));

    // The midpoint handle becomes a bend point even with the Condition tool.
    Tool(View::ID_TOOL_CONDITION);
    Press(QPoint(mid.x, mid.y));
    EXPECT_EQ(view->GetDragMode(), View::DRAG_EDGE_POINT);
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
    EXPECT_EQ(view->menuItems, (QStringList{"Delete Point", "Delete All Points"}));
    EXPECT_EQ(view->menuEnabled, (std::vector<bool>{true, true}));

    view->menuChoice = "Delete Point";
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_FALSE(edge->m_bBent);
    EXPECT_FALSE(State(View::ID_EDGE_DELETE_ALL_POINTS).enabled);
}

TEST_F(ViewFixture, ContextMenuOnEmptySpaceOffersTheGridOnlyInDesign) {
    DrawOneEventNet();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(380, 280),
                                Port()->mapToGlobal(QPoint(380, 280)));
    view->menuChoice = "View Grid";
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_EQ(view->menuTitle, "Design");
    EXPECT_EQ(view->menuItems, QStringList{"View Grid"});
    EXPECT_FALSE(doc.m_bGrid); // chosen: the grid went off

    doc.EnterSimulation();
    const int menus = view->menus;
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_EQ(view->menus, menus);
}

TEST_F(ViewFixture, DeleteKeyAndCommandDeleteTheSelection) {
    DrawOneEventNet();
    Click(QPoint(380, 280));
    EXPECT_FALSE(State(View::ID_DELETE).enabled);
    Click(QPoint(200, 100));
    EXPECT_TRUE(State(View::ID_DELETE).enabled);
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    // The event goes with its name label and both edges.
    EXPECT_TRUE(All<CPNEvent>().empty());
    EXPECT_TRUE(All<CPNEdge>().empty());
    EXPECT_EQ(All<CPNLabel>().size(), 2u);
    EXPECT_EQ(host.pages.back(), PAGE_HIDE);

    // A name label alone cannot be deleted.
    Click(QPoint(100, 70));
    ASSERT_TRUE(dynamic_cast<CPNLabel*>(doc.GetFirstSelected()));
    EXPECT_FALSE(State(View::ID_DELETE).enabled);
    view->OnCommand(View::ID_DELETE);
    EXPECT_EQ(All<CPNLabel>().size(), 2u);
}

TEST_F(ViewFixture, TokenToolFlipsAndRefreshesThePage) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(100, 100));
    Tool(View::ID_TOOL_TOKEN);
    CPNCondition* b1 = All<CPNCondition>()[0];
    doc.m_bNetModified = false;
    Click(QPoint(104, 96));
    EXPECT_TRUE(b1->m_bToken);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_TRUE(doc.m_bNetModified);
    Click(QPoint(100, 100));
    EXPECT_FALSE(b1->m_bToken);
    Click(QPoint(300, 200)); // nothing there
    EXPECT_EQ(host.refreshes, 2);
}

TEST_F(ViewFixture, PlaceToFrontAndBackReorderTheNet) {
    Tool(View::ID_TOOL_POLYGON);
    Click(QPoint(100, 100));
    ASSERT_EQ(All<CPNPolygon>().size(), 1u);
    CPNElement* polygon = All<CPNPolygon>()[0];
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(50, 250));
    Tool(View::ID_TOOL_SELECT);
    EXPECT_TRUE(State(View::ID_PLACE_BACK).enabled); // the new condition is selected
    Click(QPoint(380, 280));
    EXPECT_FALSE(State(View::ID_PLACE_FRONT).enabled);
    doc.Select(polygon, false);
    view->OnCommand(View::ID_PLACE_FRONT);
    EXPECT_EQ(doc.m_netDesign.m_listElements.back(), polygon);
    view->OnCommand(View::ID_PLACE_BACK);
    EXPECT_EQ(doc.m_netDesign.m_listElements.front(), polygon);
}

TEST_F(ViewFixture, PropertyChangeRemeasuresTheNameLabel) {
    Tool(View::ID_TOOL_CONDITION);
    Click(QPoint(100, 100));
    CPNCondition* b1 = All<CPNCondition>()[0];
    const CRect rectOld = b1->m_pLabel->GetBoundRect();
    b1->m_pLabel->m_strText = "a much longer name";
    doc.m_bNetModified = false;
    view->invalidated.clear();
    view->OnPropertyChanged(3);
    const CRect rectNew = b1->m_pLabel->GetBoundRect();
    EXPECT_GT(rectNew.Width(), rectOld.Width());
    EXPECT_TRUE(doc.m_bNetModified);
    EXPECT_TRUE(Covers(view->invalidated, Device(rectNew)));
    // An event name change does nothing to a condition.
    view->invalidated.clear();
    view->OnPropertyChanged(2);
    EXPECT_TRUE(view->invalidated.empty());
}

TEST_F(ViewFixture, ToolsAreRefusedInSimulationExceptSelect) {
    DrawOneEventNet();
    Tool(View::ID_TOOL_EDGE);
    doc.EnterSimulation();
    ASSERT_TRUE(doc.m_bSimulation);
    EXPECT_EQ(view->GetTool(), static_cast<unsigned>(View::ID_TOOL_SELECT));
    EXPECT_EQ(host.pages.back(), PAGE_SIMULATION);
    for (int id = View::ID_TOOL_CONDITION; id <= View::ID_TOOL_TOKEN; ++id)
        EXPECT_FALSE(State(id).enabled) << id;
    EXPECT_TRUE(State(View::ID_TOOL_SELECT).enabled);
    view->OnCommand(View::ID_TOOL_CONDITION);
    EXPECT_EQ(view->GetTool(), static_cast<unsigned>(View::ID_TOOL_SELECT));
    EXPECT_FALSE(State(View::ID_DELETE).enabled);
    EXPECT_FALSE(State(View::ID_VIEW_PROPERTIES).enabled);
    EXPECT_FALSE(State(CDiagramView::ID_VIEW_GRID).enabled);
    EXPECT_TRUE(State(View::ID_EXPORT_EMF).enabled);
}

TEST_F(ViewFixture, PolygonHandlesWholeMovesAndPointDeletion) {
    Tool(View::ID_TOOL_POLYGON);
    Click(QPoint(100, 100));
    ASSERT_EQ(All<CPNPolygon>().size(), 1u);
    CPNPolygon* polygon = All<CPNPolygon>()[0];
    EXPECT_EQ(host.pages.back(), PAGE_POLYGON);
    auto corners = [polygon] {
        std::vector<CPoint> result;
        for (const CEdgePoint& p : polygon->m_listPoints)
            if (p.m_bVertex)
                result.push_back(p.m_pt);
        return result;
    };

    // A corner of the selected polygon is dragged even under the Polygon tool.
    Drag(QPoint(260, 140), QPoint(280, 160));
    EXPECT_EQ(All<CPNPolygon>().size(), 1u);
    EXPECT_EQ(corners()[2], CPoint(280, 160));

    // Grabbing the outline away from the handles moves the whole polygon.
    Tool(View::ID_TOOL_SELECT);
    Press(QPoint(100, 110));
    EXPECT_EQ(view->GetDragMode(), View::DRAG_POLYGON);
    Move(QPoint(101, 110));
    Move(QPoint(100, 130));
    Release(QPoint(100, 130));
    EXPECT_EQ(corners().front(), CPoint(100, 120));
    EXPECT_EQ(corners()[2], CPoint(280, 180));

    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(280, 180),
                                Port()->mapToGlobal(QPoint(280, 180)));
    view->menuChoice = "Delete Point";
    QApplication::sendEvent(Port(), &menuEvent);
    EXPECT_EQ(view->menuTitle, "Polygon");
    EXPECT_EQ(corners().size(), 4u); // three corners and the closing point
    // Three corners are the least a polygon keeps.
    QContextMenuEvent again(QContextMenuEvent::Mouse, QPoint(100, 160),
                            Port()->mapToGlobal(QPoint(100, 160)));
    QApplication::sendEvent(Port(), &again);
    EXPECT_EQ(view->menuEnabled, std::vector<bool>{false});
    EXPECT_EQ(corners().size(), 4u);
}

TEST_F(ViewFixture, CursorShowsTheToolAndTheHandles) {
    DrawOneEventNet();
    Click(QPoint(380, 280));
    Move(QPoint(50, 250));
    EXPECT_EQ(Port()->cursor().shape(), Qt::ArrowCursor);
    Tool(View::ID_TOOL_CONDITION);
    Move(QPoint(51, 250));
    EXPECT_EQ(Port()->cursor().shape(), Qt::CrossCursor);

    CPNEdge* edge = All<CPNEdge>()[0];
    doc.Select(edge, false);
    const CPoint mid = std::next(edge->m_listPoints.begin())->m_pt;
    Move(QPoint(mid.x, mid.y));
    EXPECT_EQ(Port()->cursor().shape(), Qt::SizeAllCursor);

    // A band shows the cross once it moves.
    Tool(View::ID_TOOL_SELECT);
    Press(QPoint(50, 250));
    Move(QPoint(51, 251));
    Move(QPoint(80, 280));
    EXPECT_EQ(Port()->cursor().shape(), Qt::CrossCursor);
    Release(QPoint(80, 280));
    EXPECT_EQ(Port()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewFixture, NewElementRepaintsItsOwnPlaceOnly) {
    Tool(View::ID_TOOL_CONDITION);
    view->invalidated.clear();
    Click(QPoint(200, 200));
    CPNCondition* b1 = All<CPNCondition>()[0];
    ASSERT_FALSE(view->invalidated.empty());
    EXPECT_TRUE(Covers(view->invalidated, Device(b1->GetBoundRect())));
    EXPECT_TRUE(Covers(view->invalidated, Device(b1->m_pLabel->GetBoundRect())));
    QRect all;
    for (const QRect& r : view->invalidated)
        all |= r;
    EXPECT_LT(all.width(), 80);
    EXPECT_LT(all.height(), 80);
}
