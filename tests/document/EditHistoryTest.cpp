// The edit history over random edits of every kind on all three diagrams, made as the
// editor makes them: after every edit the bytes of the document are kept, and undoing
// walks back through exactly those bytes, redoing forward again. The modified flag
// follows the history; the token game stays out of it; a move records what it touched,
// whatever the size of the document; typing into one field is one step per element.

#include "DocFixture.h"
#include "engines/CStepChoice.h"
#include "support/DocAccess.h"

#include "casegraph/CPNCase.h"
#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"
#include "document/CNetFragment.h"
#include "edit/CUndoStack.h"
#include "model/CPNEdge.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/CPNPlace.h"

#include <random>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int NET = CZerinDoc::DIAGRAM_NET_DESIGN;
constexpr int GRAPH = CZerinDoc::DIAGRAM_CASE_GRAPH;
constexpr int RECORD = CZerinDoc::DIAGRAM_OCCURRENCE_NET;

struct EditHistory : DocFixture {
    std::mt19937 gen;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); }
    int Coordinate() { return 20 + 10 * Pick(60); }
    template <class T, class List> T* Any(const List& list) {
        std::vector<T*> found;
        for (CPNElement* e : list)
            if (auto* t = dynamic_cast<T*>(e))
                found.push_back(t);
        return found.empty() ? nullptr : found[static_cast<std::size_t>(Pick(int(found.size())))];
    }
    template <class T> T* AnyInNet() { return Any<T>(doc.NetDesign().m_listElements); }
    CPNCase* AnyCase() {
        const auto& cases = GraphOf(doc).Cases();
        return cases.empty() ? nullptr : cases[static_cast<std::size_t>(Pick(int(cases.size())))];
    }

    // The philosophers at a table of three or four, tested, a short run recorded, the
    // case graph laid out and the run drawn, as a user has them after a simulation.
    void Prepare(unsigned seed) {
        gen.seed(seed);
        doc.NewDocument();
        BuildDiningPhilosophers(NetOf(doc), 3 + static_cast<int>(seed % 2));
        doc.SetNetModified();
        Enter();
        for (int i = 0; i < 4 && doc.Simulation().ChooseAutomaticStep(1); ++i)
            CAutomaticRun::ExecuteStepWithoutAnimation(doc);
        doc.Simulation().Leave();
        GraphOf(doc).NameElements(dc);
        GraphOf(doc).InitialLayout();
        doc.CaseGraphEditor().SetLaidOut();
        OccurrenceOf(doc).Layout(dc);
        doc.History().Reset();
    }

    // One random edit as the editor makes it, or nothing when its kind has nothing to
    // work on. Structural edits (the net's conditions, events, edges, tokens) leave the
    // case graph and the record out of the file, so a run without them keeps both in
    // the bytes compared.
    int Edit(bool structural) {
        doc.Selection().Clear();
        const int kind = Pick(structural ? 24 : 18);
        doc.History().Begin("edit " + std::to_string(kind));
        switch (kind) {
        case 0:
            for (int i = 0; i < 3; ++i)
                if (CPNElement* e = AnyInNet<CPNElement>())
                    doc.Selection().Select(e, true);
            doc.MoveSelection(NET, 10 * (Pick(11) - 5), 20);
            break;
        case 1:
            if (CPNElement* e = AnyInNet<CPNElement>())
                doc.MoveElement(NET, e, CPoint(Coordinate(), Coordinate()));
            break;
        case 2:
            if (CPNLabel* l = AnyInNet<CPNLabel>()) {
                doc.ChangeElement(l, [&] { l->SetText(l->GetText() + "'", dc); });
                l->m_crText = RGB(Pick(256), 0, 90);
            }
            break;
        case 3:
            if (CPNEdge* edge = AnyInNet<CPNEdge>()) {
                doc.ChangeElement(
                    edge, [&] { edge->SetBendPoints({CPoint(Coordinate(), Coordinate())}); });
            }
            break;
        case 4:
            doc.AddElement(new CPNPolygon(Coordinate(), Coordinate()), Pick(2) == 1 ? NET : RECORD);
            break;
        case 5:
            if (CPNElement* e = AnyInNet<CPNElement>()) {
                doc.Selection().Select(e, false);
                doc.PlaceSelection(NET, Pick(2) == 1);
            }
            break;
        case 6:
            NetOf(doc).RecalcSize(NetOf(doc).m_sizeNet.cx + 40, 100);
            break;
        case 7:
            doc.ToggleGrid();
            break;
        case 8:
            if (CPNCase* c = AnyCase())
                doc.MoveElement(GRAPH, c, CPoint(Coordinate(), Coordinate()));
            break;
        case 9:
            for (int i = 0; i < 2; ++i)
                if (CPNCase* c = AnyCase())
                    doc.Selection().Select(c, true);
            doc.MoveSelection(GRAPH, 10 * (Pick(7) - 3), 10);
            break;
        case 10: {
            auto* label = new CPNLabel(Coordinate(), Coordinate());
            label->SetText(doc.GetNewName(CDocumentRecord::NAME_DIAGRAM_LABEL), dc);
            doc.AddElement(label, Pick(2) == 1 ? GRAPH : RECORD);
            break;
        }
        case 11: {
            const int diagram = Pick(2) == 1 ? GRAPH : RECORD;
            auto& free = diagram == GRAPH ? GraphOf(doc).FreeElements()
                                          : doc.OccurrenceNet().m_listDecorations;
            if (CPNElement* e = Any<CPNElement>(free)) {
                doc.Selection().Select(e, false);
                if (Pick(2) == 1)
                    doc.DeleteSelection(diagram);
                else
                    doc.PlaceSelection(diagram, Pick(2) == 1);
            }
            break;
        }
        case 12: {
            const std::size_t cases = GraphOf(doc).Cases().size();
            if (Pick(2) == 1) {
                // A layered drawing, or a smoothing result: new places for every case.
                std::vector<std::pair<double, double>> at;
                for (std::size_t i = 0; i < cases; ++i)
                    at.emplace_back(Pick(5) * 60.0, Pick(9) * 48.0);
                GraphOf(doc).PlaceOnGrid(at, &doc.History().Recorder(GRAPH));
            } else {
                // A neighbourhood gathered around its case, its steps routed anew.
                std::vector<std::uint32_t> part;
                for (std::uint32_t i = 0; i < cases; ++i)
                    if (Pick(3) == 1)
                        part.push_back(i);
                doc.MoveCases(doc.CaseGraph().GatherAround(
                    static_cast<std::uint32_t>(Pick(static_cast<int>(cases))), part));
            }
            break;
        }
        case 13:
            GraphOf(doc).ComputeExtent(GraphOf(doc).Extent().cx + 60, 100);
            break;
        case 14:
            if (CPNElement* e = Any<CPNElement>(doc.OccurrenceNet().m_listElements))
                if (!dynamic_cast<CPNEdge*>(e))
                    doc.MoveElement(RECORD, e, CPoint(Coordinate(), Coordinate()));
            break;
        case 15:
            for (int i = 0; i < 3; ++i)
                if (CPNElement* e = Any<CPNElement>(doc.OccurrenceNet().m_listElements))
                    doc.Selection().Select(e, true);
            doc.MoveSelection(RECORD, 20, 10 * (Pick(5) - 2));
            break;
        case 16:
            if (CPNLabel* l = Any<CPNLabel>(GraphOf(doc).FreeElements())) {
                doc.ChangeElement(l, [&] { l->SetText(l->GetText() + "!", dc); });
            }
            break;
        case 17:
            OccurrenceOf(doc).RecalcSize(OccurrenceOf(doc).m_sizeNet.cx + 30, 100);
            break;
        // Structural edits from here.
        case 18:
        case 19: {
            auto* label = new CPNLabel();
            label->SetText(doc.GetNewName(kind == 18 ? CDocumentRecord::NAME_CONDITION
                                                     : CDocumentRecord::NAME_EVENT),
                           dc);
            CPNElement* node =
                kind == 18
                    ? static_cast<CPNElement*>(new CPNCondition(Coordinate(), Coordinate(), label))
                    : new CPNEvent(Coordinate(), Coordinate(), label);
            label->m_pOwner = node;
            doc.AddElement(node);
            doc.AddElement(label);
            doc.SetNetModified();
            break;
        }
        case 20:
            if (CPNCondition* c = AnyInNet<CPNCondition>())
                if (CPNEvent* e = AnyInNet<CPNEvent>())
                    doc.AddElement(Pick(2) ? new CPNEdge(c, e) : new CPNEdge(e, c));
            doc.SetNetModified();
            break;
        case 21:
            if (CPNElement* e = AnyInNet<CPNElement>()) {
                doc.Selection().Select(e, false);
                doc.DeleteSelection();
                doc.SetNetModified();
            }
            break;
        case 22:
            if (CPNCondition* c = AnyInNet<CPNCondition>()) {
                doc.ChangeElement(c, [&] { c->m_bToken = !c->m_bToken; });
                doc.SetNetModified();
            }
            break;
        default:
            for (int i = 0; i < 3; ++i)
                if (CPNElement* e = AnyInNet<CPNElement>())
                    doc.Selection().Select(e, true);
            CNetFragment::Paste(doc, CNetFragment::Copy(doc), CSize(30, 30), dc);
            doc.SetNetModified();
            break;
        }
        doc.SetModifiedFlag();
        doc.History().End();
        return kind;
    }
};

TEST_F(EditHistory, UndoWalksBackThroughEveryStateAndRedoForward) {
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        Prepare(seed);
        ASSERT_FALSE(GraphOf(doc).Cases().empty());
        std::vector<Bytes> states{CDocumentFile::Store(doc)};
        std::vector<int> kinds{-1};
        for (int i = 0; i < 40; ++i) {
            const int kind = Edit(seed % 2 == 0);
            // An edit that changed nothing leaves no entry.
            if (doc.History().Stack().Index() == states.size()) {
                states.push_back(CDocumentFile::Store(doc));
                kinds.push_back(kind);
            } else
                ASSERT_EQ(CDocumentFile::Store(doc), states.back()) << "edit " << i;
        }
        ASSERT_EQ(doc.History().Stack().Count() + 1, states.size());
        EXPECT_TRUE(doc.IsModified());
        for (std::size_t k = states.size() - 1; k > 0; --k) {
            doc.History().Undo();
            ASSERT_EQ(CDocumentFile::Store(doc), states[k - 1]) << "undoing edit kind " << kinds[k];
        }
        EXPECT_FALSE(doc.History().CanUndo());
        EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
        for (std::size_t k = 1; k < states.size(); ++k) {
            doc.History().Redo();
            ASSERT_EQ(CDocumentFile::Store(doc), states[k]) << "redoing edit kind " << kinds[k];
        }
        EXPECT_TRUE(doc.IsModified());
    }
}

// A move records the case and the routes of its steps, not the graph: the same move in a
// ring of ten cases and in one of three thousand costs the same.
TEST_F(EditHistory, AMoveRecordsWhatItTouchedWhateverTheSizeOfTheGraph) {
    std::vector<std::size_t> sizes;
    for (int cases : {10, 3000}) {
        doc.NewDocument();
        BuildNetFromText(NetOf(doc), RingNetText(cases), &dc);
        doc.SetNetModified();
        Enter();
        doc.Simulation().Leave();
        GraphOf(doc).NameElements(dc);
        GraphOf(doc).InitialLayout();
        doc.History().Reset();
        CPNCase* moved = GraphOf(doc).Cases()[3];
        doc.History().Begin("Move");
        doc.MoveElement(GRAPH, moved, CPoint(moved->m_ptPos.x + 30, moved->m_ptPos.y + 20));
        ASSERT_TRUE(doc.History().End());
        sizes.push_back(doc.History().Stack().Size());
    }
    EXPECT_TRUE(sizes[1] <= sizes[0] + 64 && sizes[1] <= 2048u) << sizes[0] << " " << sizes[1];
}

TEST_F(EditHistory, TheModifiedFlagFollowsTheSavedStateAndANewEditDropsTheRedo) {
    gen.seed(3);
    BuildRandomNet(NetOf(doc), gen, 4, 3, &dc);
    doc.History().Reset();
    auto widen = [this](const std::string& name, int dx, int dy, int key = 0) {
        doc.History().Begin(name, key);
        NetOf(doc).m_sizeNet.cx += dx;
        NetOf(doc).m_sizeNet.cy += dy;
        doc.SetModifiedFlag();
        return doc.History().End();
    };
    ASSERT_TRUE(widen("wider", 10, 0));
    doc.History().MarkSaved();
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(widen("higher", 0, 10));
    EXPECT_EQ(doc.History().UndoText(), "higher");
    EXPECT_FALSE(widen("nothing changed", 0, 0));
    doc.History().Undo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.History().RedoText(), "higher");
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    // An edit after undoing: the redo part is gone, the saved state out of reach.
    EXPECT_TRUE(widen("other", 30, 0));
    EXPECT_FALSE(doc.History().CanRedo());
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    // Typing into one field: the edits with one merge key are one command.
    const std::size_t index = doc.History().Stack().Index();
    const int height = doc.NetDesign().m_sizeNet.cy;
    for (int i = 0; i < 4; ++i)
        widen("typing", 0, 1, 77);
    EXPECT_EQ(doc.History().Stack().Count(), index + 1);
    doc.History().Undo();
    EXPECT_EQ(doc.NetDesign().m_sizeNet.cy, height);
    // An edit taken back while still under way leaves nothing, not even its state.
    const Bytes before = CDocumentFile::Store(doc);
    doc.History().Begin("cancelled");
    doc.MoveElement(NET, doc.NetDesign().m_listElements.front(), CPoint(500, 500));
    doc.AddElement(new CPNPolygon(40, 40));
    doc.History().Cancel();
    EXPECT_EQ(CDocumentFile::Store(doc), before);
    EXPECT_EQ(doc.History().Stack().Count(), index + 1);
    // A document made from something else and never saved has no saved state to come
    // back to.
    doc.History().Reset(false);
    ASSERT_TRUE(widen("imported", 5, 0));
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
}

// Typing into the name field of one element after another, as the properties page
// does: every keystroke an edit with the field's merge key. Each run of keystrokes on
// one element is one step named after it; the next element's run is a step of its own,
// and undoing walks back through the states at the end of each run.
TEST_F(EditHistory, TypingIntoOneFieldIsOneStepPerElement) {
    constexpr int kNameField = 1025;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        gen.seed(seed);
        doc.NewDocument();
        BuildRandomNet(NetOf(doc), gen, 5, 4, &dc);
        doc.History().Reset();
        std::vector<Bytes> states{CDocumentFile::Store(doc)};
        std::vector<std::string> names;
        CPNLabel* previous = nullptr;
        for (int run = 0; run < 12; ++run) {
            CPNLabel* label = AnyInNet<CPNLabel>();
            ASSERT_NE(label, nullptr);
            if (label == previous)
                continue;
            previous = label;
            const std::string name = "Rename " + label->GetText();
            for (int key = 0, keys = 1 + Pick(4); key < keys; ++key) {
                doc.History().Begin(name, kNameField);
                doc.ChangeElement(label, [&] { label->SetText(label->GetText() + "x", dc); });
                doc.SetModifiedFlag();
                doc.History().End();
            }
            states.push_back(CDocumentFile::Store(doc));
            names.push_back(name);
            ASSERT_EQ(doc.History().Stack().Count(), names.size());
            EXPECT_EQ(doc.History().UndoText(), name);
        }
        for (std::size_t k = names.size(); k > 0; --k) {
            EXPECT_EQ(doc.History().UndoText(), names[k - 1]);
            doc.History().Undo();
            ASSERT_EQ(CDocumentFile::Store(doc), states[k - 1]) << names[k - 1];
        }
        EXPECT_FALSE(doc.IsModified());
    }
}

struct CountedLabel : CPNLabel {
    CountedLabel() { ++alive; }
    ~CountedLabel() override { --alive; }
    static inline int alive = 0;
};

// What an edit takes out of the document it keeps for undo, and lets go of with the
// history; what it made and dropped again it lets go of at once.
TEST_F(EditHistory, AnEditKeepsWhatItTookOutAndNothingElse) {
    doc.History().Reset();
    for (const bool keep : {false, true}) {
        auto* label = new CountedLabel();
        if (keep)
            doc.AddElement(label);
        doc.History().Begin("made and dropped");
        doc.AddElement(label);
        doc.Selection().Select(label, false);
        doc.DeleteSelection();
        doc.History().End();
        EXPECT_EQ(CountedLabel::alive, keep ? 1 : 0) << keep;
    }
    doc.NewDocument();
    EXPECT_EQ(CountedLabel::alive, 0);
}

// The token game is no edit (that the menu then offers no Undo, and that the document
// stays modified after a simulation, is the frame's tests'): the history stands still
// and leaving gives the net its tokens back.
TEST_F(EditHistory, TheTokenGameStaysOutOfTheHistory) {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    net.Event("e1", {b1}, {b2});
    doc.History().Reset();
    Enter();
    for (CPNEvent* event : CStepChoice::Choose(
             doc.NetDesign().GetEvents(), doc.Simulation().CurrentCase(), true, doc.GetRandom()))
        doc.Selection().Select(event, true);
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    EXPECT_TRUE(b2->m_bToken);
    EXPECT_FALSE(doc.History().Checkpoint("step"));
    doc.Simulation().Leave();
    EXPECT_TRUE(b1->m_bToken && !b2->m_bToken);
    EXPECT_EQ(doc.History().Stack().Count(), 0u);
}

// Copy and paste (what the view's clipboard test does not show): only the edges between
// copied nodes come along; a cut and pasted net keeps its names; pasting is one edit;
// bytes that are no fragment add nothing.
TEST_F(EditHistory, PastedFragmentsBringTheirOwnEdgesAndKeepFreeNames) {
    CPNCondition* p1 = net.Condition("p1", true);
    CPNCondition* p2 = net.Condition("p2");
    CPNEvent* t1 = net.Event("t1", {p1}, {p2});
    net.Event("t2", {p2}, {net.Condition("other")});
    doc.History().Reset();
    const auto count = [this](auto kind) {
        return std::count_if(
            doc.NetDesign().m_listElements.begin(), doc.NetDesign().m_listElements.end(),
            [](CPNElement* e) { return dynamic_cast<decltype(kind)>(e) != nullptr; });
    };
    for (CPNElement* e : std::initializer_list<CPNElement*>{p1, t1, p2})
        doc.Selection().Select(e, true);
    doc.History().Begin("Paste");
    ASSERT_TRUE(CNetFragment::Paste(doc, CNetFragment::Copy(doc), CSize(20, 20), dc));
    ASSERT_TRUE(doc.History().End());
    EXPECT_EQ(count(static_cast<CPNEdge*>(nullptr)), 6) << "p1 -> t1 -> p2 came along, not t2's";
    doc.History().Undo();
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (dynamic_cast<CPNCondition*>(e) || dynamic_cast<CPNEvent*>(e))
            doc.Selection().Select(e, true);
    const std::vector<std::uint8_t> all = CNetFragment::Copy(doc);
    doc.DeleteSelection();
    ASSERT_TRUE(CNetFragment::Paste(doc, all, CSize(0, 0), dc));
    EXPECT_EQ(count(static_cast<CPNEdge*>(nullptr)), 4);
    std::set<std::string> names;
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e))
            names.insert(c->m_pLabel->m_strText);
    EXPECT_EQ(names, (std::set<std::string>{"p1", "p2", "other"}));
    for (const std::vector<std::uint8_t>& bad :
         {std::vector<std::uint8_t>{},
          std::vector<std::uint8_t>(all.begin(), all.begin() + all.size() / 2)})
        EXPECT_FALSE(CNetFragment::Paste(doc, bad, CSize(0, 0), dc));
    EXPECT_EQ(count(static_cast<CPNElement*>(nullptr)), 14);
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
