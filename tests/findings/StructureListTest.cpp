// The structure list: choosing an item highlights exactly its conditions (or events, with
// their counts), drawn by the elements over the net; and along random runs of the token
// game every S-invariant keeps the value the list says.

#include "FindingsFixture.h"

#include "findings/CElementHighlight.h"
#include "findings/CStructureList.h"
#include "findings/StructureSearch.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"

#include <set>

namespace {

CStructureList ListOf(const RandomSystem& system) {
    CStructureList list;
    const StructureAnswers::Found invariants =
        StructureSearch::Find("invariants", *system.structure);
    const StructureAnswers::Found siphons = StructureSearch::Find("siphons", *system.structure);
    list.Fill(system.structure, invariants.sInvariants, invariants.tInvariants, siphons.siphons);
    return list;
}

} // namespace

TEST(StructureListTest, TheHighlightChoosesExactlyTheItemsElements) {
    std::size_t items = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        RandomSystem system;
        system.Make(seed);
        const CStructureList list = ListOf(system);
        const CNetStructure& net = *system.structure;
        for (const CStructureList::Item& item : list.Items()) {
            SCOPED_TRACE(list.Describe(item));
            const bool events = item.kind == CStructureList::EKind::TInvariant;
            std::set<const CPNElement*> expected;
            for (const int element : item.elements)
                expected.insert(events ? static_cast<const CPNElement*>(net.Events()[element])
                                       : net.Conditions()[element]);
            CElementHighlight highlight;
            highlight.Set(list.Marks(item));
            EXPECT_EQ(highlight.Count(), expected.size());
            for (const CPNElement* element : system.doc.NetDesign().m_listElements)
                EXPECT_EQ(highlight.IsMarked(element), expected.count(element) != 0);
            // One ring or frame per element, drawn where the element stands.
            RecordingDC dc;
            highlight.Draw(dc, system.doc.NetDesign());
            const auto shapes = dc.Calls(events ? "Rectangle" : "Ellipse");
            ASSERT_EQ(shapes.size(), expected.size());
            for (const DrawCall& shape : shapes)
                EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [&](const CPNElement* e) {
                    return shape.rect.CenterPoint() == e->m_ptPos;
                }));
            // A count beside each event; a weight beside a condition only where it is not 1.
            if (events) {
                EXPECT_EQ(dc.Calls("Text").size(), expected.size());
            }
            ++items;
        }
    }
    EXPECT_GT(items, 40u);
    // Nothing chosen, nothing drawn.
    CElementHighlight none;
    RecordingDC dc;
    RandomSystem system;
    system.Make(1);
    none.Draw(dc, system.doc.NetDesign());
    EXPECT_TRUE(dc.calls.empty());
}

TEST(StructureListTest, SInvariantsKeepTheirValueAlongRandomRuns) {
    std::size_t checked = 0;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        RandomSystem system;
        if (!system.Make(seed))
            continue;
        system.doc.GetRandom().SetFixedSeed(seed);
        const CStructureList list = ListOf(system);
        const std::vector<std::size_t> invariants = list.ItemsOf(CStructureList::EKind::SInvariant);
        for (int step = 0; step < 40; ++step) {
            const std::vector<bool> held = list.Held(system.doc.Simulation().CurrentCase());
            for (const std::size_t i : invariants) {
                EXPECT_EQ(CStructureList::ValueIn(list.Items()[i], held), list.Items()[i].value)
                    << seed << " step " << step << ": " << list.Describe(list.Items()[i]);
                ++checked;
            }
            if (!system.doc.Simulation().ChooseAutomaticStep(1))
                break;
            system.Fire();
        }
    }
    EXPECT_GT(checked, 200u);
}

TEST(StructureListTest, ItemsReadAsTheNetNamesThem) {
    RandomSystem system;
    BuildDiningPhilosophers(NetOf(system.doc), 2);
    system.structure =
        std::make_shared<CNetStructure>(CNetStructure::FromDesign(system.doc.NetDesign()));
    const CStructureList list = ListOf(system);
    std::vector<std::string> texts;
    for (const CStructureList::Item& item : list.Items())
        texts.push_back(list.Describe(item));
    // In the order the analyses give: by the largest condition (event) of the support.
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "think_0 + eat_0 = 1", "eat_0 + fork_0 + eat_1 = 1", "think_1 + eat_1 = 1",
                         "eat_0 + eat_1 + fork_1 = 1", "take_0 + put_0", "take_1 + put_1",
                         "{ think_0, eat_0 }, trap { think_0, eat_0 } marked",
                         "{ think_1, eat_1 }, trap { think_1, eat_1 } marked",
                         "{ eat_0, fork_0, eat_1 }, trap { eat_0, fork_0, eat_1 } marked",
                         "{ eat_0, eat_1, fork_1 }, trap { eat_0, eat_1, fork_1 } marked"}));
    EXPECT_EQ(list.Summary(), (std::vector<std::string>{
                                  "4 S-invariant(s), every condition in one",
                                  "2 T-invariant(s), every event in one",
                                  "4 minimal siphon(s), each with a marked trap: none is ever "
                                  "emptied"}));
}
