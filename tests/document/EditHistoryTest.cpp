// The edit history over random nets and random edits of every kind: undoing all of
// them gives the bytes of the document before, redoing all the bytes after; the
// modified flag follows the history; the token game stays out of it.

#include "DocFixture.h"

#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"
#include "model/CPNEdge.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"

#include <random>

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
    ASSERT_TRUE(doc.History().Checkpoint("wider"));
    doc.History().MarkSaved();
    EXPECT_FALSE(doc.IsModified());
    doc.m_netDesign.m_sizeNet.cy += 10;
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
    ASSERT_TRUE(doc.History().Checkpoint("wider"));
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
}

} // namespace
