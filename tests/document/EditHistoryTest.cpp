// The edit history over random nets and random edits of every kind: undoing all of
// them gives the bytes of the document before, redoing all the bytes after; the
// modified flag follows the history; the token game stays out of it.

#include "DocFixture.h"

#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"
#include "document/CNetFragment.h"
#include "edit/CUndoStack.h"
#include "model/CPNEdge.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"

#include <random>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct EditHistory : DocFixture {
    std::mt19937 gen;

    template <class T> std::vector<T*> All() const {
        std::vector<T*> found;
        for (CPNElement* e : doc.m_netDesign.m_listElements)
            if (auto* t = dynamic_cast<T*>(e))
                found.push_back(t);
        return found;
    }
    template <class T> T* Any() {
        const std::vector<T*> all = All<T>();
        return all.empty()
                   ? nullptr
                   : all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(gen)];
    }
    int Coordinate() { return 20 + 10 * std::uniform_int_distribution<int>(0, 60)(gen); }

    // One random edit as the editor makes it, or nothing when its kind has nothing to
    // work on; its name.
    std::string Edit() {
        doc.ClearSelection();
        switch (std::uniform_int_distribution<int>(0, 11)(gen)) {
        case 0: {
            auto* label = new CPNLabel();
            label->SetText(doc.GetNewName(CZerinDoc::NAME_CONDITION), dc);
            auto* c = new CPNCondition(Coordinate(), Coordinate(), label);
            label->m_pOwner = c;
            doc.AddElement(c);
            doc.AddElement(label);
            return "add condition";
        }
        case 1: {
            auto* label = new CPNLabel();
            label->SetText(doc.GetNewName(CZerinDoc::NAME_EVENT), dc);
            auto* e = new CPNEvent(Coordinate(), Coordinate(), label);
            label->m_pOwner = e;
            doc.AddElement(e);
            doc.AddElement(label);
            return "add event";
        }
        case 2:
            if (CPNCondition* c = Any<CPNCondition>())
                if (CPNEvent* e = Any<CPNEvent>()) {
                    auto* edge = std::uniform_int_distribution<int>(0, 1)(gen) ? new CPNEdge(c, e)
                                                                               : new CPNEdge(e, c);
                    doc.AddElement(edge);
                }
            return "add edge";
        case 3: {
            auto* polygon = new CPNPolygon(Coordinate(), Coordinate());
            doc.AddElement(polygon);
            return "add polygon";
        }
        case 4:
            for (int i = 0; i < 3; ++i)
                if (CPNElement* e = Any<CPNElement>())
                    doc.Select(e, true);
            doc.MoveSelection(10 * std::uniform_int_distribution<int>(-5, 5)(gen), 20);
            return "move";
        case 5:
            if (CPNElement* e = Any<CPNElement>()) {
                doc.Select(e, false);
                doc.DeleteSelection();
            }
            return "delete";
        case 6:
            if (CPNCondition* c = Any<CPNCondition>())
                c->m_bToken = !c->m_bToken;
            return "token";
        case 7:
            if (CPNLabel* l = Any<CPNLabel>()) {
                l->SetText(l->GetText() + "'", dc);
                l->m_crText = RGB(std::uniform_int_distribution<int>(0, 255)(gen), 0, 90);
            }
            return "rename";
        case 8:
            if (CPNEdge* edge = Any<CPNEdge>())
                edge->SetBendPoints({CPoint(Coordinate(), Coordinate())});
            return "bend";
        case 9:
            if (CPNElement* e = Any<CPNElement>()) {
                doc.Select(e, false);
                doc.PlaceSelectionNetDesign(std::uniform_int_distribution<int>(0, 1)(gen) == 1);
            }
            return "z-order";
        case 10:
            doc.m_netDesign.m_sizeNet.cx += 40;
            doc.SetModifiedFlag();
            return "view properties";
        default:
            doc.ToggleGrid();
            return "grid";
        }
    }
};

TEST_F(EditHistory, UndoingAllEditsGivesTheBytesBeforeAndRedoingAllTheBytesAfter) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        gen.seed(seed);
        doc.NewDocument();
        BuildRandomNet(doc.m_netDesign, gen, 3 + static_cast<int>(seed % 6),
                       2 + static_cast<int>(seed % 4), &dc);
        // As if opened from a file.
        doc.History().Reset();
        const Bytes before = CDocumentFile::Store(doc);
        int recorded = 0;
        for (int i = 0; i < 50; ++i) {
            doc.SetNetModified();
            recorded += doc.History().Checkpoint(Edit()) ? 1 : 0;
        }
        const Bytes after = CDocumentFile::Store(doc);
        const CUndoStack& stack = doc.History().Stack();
        EXPECT_EQ(stack.Count(), static_cast<std::size_t>(recorded));
        EXPECT_TRUE(doc.IsModified());

        while (doc.History().CanUndo())
            doc.History().Undo();
        EXPECT_EQ(CDocumentFile::Store(doc), before);
        EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
        while (doc.History().CanRedo())
            doc.History().Redo();
        EXPECT_EQ(CDocumentFile::Store(doc), after);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(EditHistory, TheModifiedFlagFollowsTheSavedStateAndANewEditDropsTheRedo) {
    gen.seed(3);
    BuildRandomNet(doc.m_netDesign, gen, 4, 3, &dc);
    doc.History().Reset();
    doc.m_netDesign.m_sizeNet.cx += 10;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.History().Checkpoint("wider"));
    doc.History().MarkSaved();
    EXPECT_FALSE(doc.IsModified());
    doc.m_netDesign.m_sizeNet.cy += 10;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.History().Checkpoint("higher"));
    EXPECT_EQ(doc.History().UndoText(), "higher");
    EXPECT_FALSE(doc.History().Checkpoint("nothing changed"));
    doc.History().Undo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.History().RedoText(), "higher");
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    // An edit after undoing: the redo part is gone, the saved state out of reach.
    doc.m_netDesign.m_sizeNet.cx += 30;
    doc.SetModifiedFlag();
    doc.History().NameEdit("other");
    EXPECT_TRUE(doc.History().Checkpoint());
    EXPECT_FALSE(doc.History().CanRedo());
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    // Typing into one field: the edits with one merge key are one command.
    const std::size_t index = doc.History().Stack().Index();
    const int height = doc.m_netDesign.m_sizeNet.cy;
    for (int i = 0; i < 4; ++i) {
        doc.m_netDesign.m_sizeNet.cy += 1;
        doc.SetModifiedFlag();
        doc.History().Checkpoint("typing", 77);
    }
    EXPECT_EQ(doc.History().Stack().Count(), index + 1);
    doc.History().Undo();
    EXPECT_EQ(doc.m_netDesign.m_sizeNet.cy, height);
}

TEST_F(EditHistory, TheTokenGameStaysOutOfTheHistory) {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    net.Event("e1", {b1}, {b2});
    doc.History().Reset();
    doc.m_netDesign.m_sizeNet.cx += 10;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.History().Checkpoint("wider"));
    doc.History().MarkSaved();
    const std::size_t count = doc.History().Stack().Count();
    Enter();
    EXPECT_FALSE(doc.History().CanUndo());
    for (CPNEvent* event : doc.m_caseGraph.ChooseStep(doc.m_caseCurrent, true))
        doc.Select(event, true);
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    EXPECT_TRUE(b2->m_bToken);
    EXPECT_FALSE(doc.History().Checkpoint("step"));
    doc.LeaveSimulation();
    EXPECT_TRUE(b1->m_bToken);
    EXPECT_FALSE(b2->m_bToken);
    EXPECT_EQ(doc.History().Stack().Count(), count);
    EXPECT_FALSE(doc.History().Checkpoint("after leaving"));
    EXPECT_EQ(doc.History().UndoText(), "wider");
    // The case graph and the run are in the document now, not in the saved file: an
    // edit taken back does not make the document look saved.
    EXPECT_TRUE(doc.IsModified());
    b1->MoveTo(CPoint(b1->m_ptPos.x + 10, b1->m_ptPos.y));
    ASSERT_TRUE(doc.History().Checkpoint("move"));
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.History().MarkSaved();
    EXPECT_FALSE(doc.IsModified());
}

// Copy and paste: the selection with the edges between selected nodes comes back as
// new elements, moved, selected, with names the net does not have yet; cut and paste
// gives the net back; bytes that are no fragment add nothing. Pasting is one edit.
TEST_F(EditHistory, PastedFragmentsBringTheirEdgesAndNeverADuplicateName) {
    CPNCondition* p1 = net.Condition("p1", true);
    CPNCondition* p2 = net.Condition("p2");
    CPNEvent* t1 = net.Event("t1", {p1}, {p2});
    CPNCondition* other = net.Condition("other");
    net.Event("t2", {p2}, {other});
    doc.History().Reset();
    for (CPNElement* e :
         {static_cast<CPNElement*>(p1), static_cast<CPNElement*>(t1), static_cast<CPNElement*>(p2)})
        doc.Select(e, true);
    const std::vector<std::uint8_t> fragment = CNetFragment::Copy(doc);
    ASSERT_FALSE(fragment.empty());
    const std::size_t edgesBefore = All<CPNEdge>().size();
    ASSERT_TRUE(CNetFragment::Paste(doc, fragment, CSize(20, 20), dc));
    ASSERT_TRUE(doc.History().Checkpoint("Paste"));
    // Two edges (p1 -> t1 -> p2) came along, not t2's, whose other end was not copied.
    EXPECT_EQ(All<CPNEdge>().size(), edgesBefore + 2);
    std::set<std::string> names;
    for (CPNElement* e : doc.m_netDesign.m_listElements)
        if (auto* label = dynamic_cast<CPNLabel*>(e); label && label->m_pOwner)
            EXPECT_TRUE(names.insert(label->m_strText).second) << label->m_strText;
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(doc.m_listSelection.size(), 5u); // three nodes and two edges
    const auto* pasted = dynamic_cast<CPNCondition*>(doc.m_listSelection.front());
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->m_ptPos, CPoint(p1->m_ptPos.x + 20, p1->m_ptPos.y + 20));
    EXPECT_TRUE(pasted->m_bToken);
    doc.History().Undo();
    EXPECT_EQ(All<CPNEdge>().size(), edgesBefore);

    // Cut (copy, then delete) and paste: the same net, names kept.
    doc.ClearSelection();
    for (CPNElement* e : doc.m_netDesign.m_listElements)
        if (dynamic_cast<CPNCondition*>(e) || dynamic_cast<CPNEvent*>(e))
            doc.Select(e, true);
    const std::vector<std::uint8_t> all = CNetFragment::Copy(doc);
    doc.DeleteSelection();
    EXPECT_TRUE(doc.m_netDesign.m_listElements.empty());
    ASSERT_TRUE(CNetFragment::Paste(doc, all, CSize(0, 0), dc));
    EXPECT_EQ(All<CPNEdge>().size(), edgesBefore);
    EXPECT_EQ(All<CPNCondition>().size(), 3u);
    EXPECT_EQ(static_cast<CPNCondition*>(All<CPNCondition>()[2])->m_pLabel->m_strText, "other");

    // Not a fragment: nothing happens.
    const std::size_t count = doc.m_netDesign.m_listElements.size();
    for (std::vector<std::uint8_t> bad :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{1, 2, 3},
          std::vector<std::uint8_t>(all.begin(), all.begin() + all.size() / 2)})
        EXPECT_FALSE(CNetFragment::Paste(doc, bad, CSize(0, 0), dc));
    EXPECT_EQ(doc.m_netDesign.m_listElements.size(), count);
}

// A history past its budget drops its oldest commands, never the last, and the saved
// state with them when it was among them.
TEST(UndoStackBudget, TheOldestCommandsGoAndTheSavedStateWithThem) {
    struct Sized : CEditCommand {
        explicit Sized(std::size_t n) : CEditCommand("c" + std::to_string(n)), size(n) {}
        void Do() override {}
        void Undo() override {}
        std::size_t Size() const override { return size; }
        std::size_t size;
    };
    CUndoStack stack;
    stack.SetBudget(100);
    stack.Push(std::make_unique<Sized>(40));
    stack.SetClean(); // the state after c40
    stack.Push(std::make_unique<Sized>(50));
    EXPECT_EQ(stack.Count(), 2u);
    stack.Push(std::make_unique<Sized>(30)); // 120 > 100: c40 goes
    EXPECT_EQ(stack.Count(), 2u);
    EXPECT_EQ(stack.UndoText(), "c30");
    stack.Undo();
    stack.Undo();
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_TRUE(stack.IsClean()) << "the state after c40 is where the history now starts";
    // The saved state among the commands dropped: out of reach.
    stack.Redo();
    stack.Redo();
    stack.Push(std::make_unique<Sized>(60)); // 140 > 100: c50 goes
    stack.Undo();
    stack.Undo();
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_FALSE(stack.IsClean());
    stack.Push(std::make_unique<Sized>(500)); // alone past the budget: it stays
    EXPECT_EQ(stack.Count(), 1u);
    EXPECT_EQ(stack.UndoText(), "c500");
}

} // namespace
