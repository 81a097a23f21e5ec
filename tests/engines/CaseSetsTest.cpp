// The symbolic engine's sets of cases, as a checker over decision diagrams uses them,
// held to the cases and single occurrences listed one by one on random nets: the
// class, concession, the images and pre-images of single events, and the fixpoints
// backward and forward.

#include "engines/CSymbolicEngine.h"
#include "model/CNetDesign.h"
#include "model/CPNEvent.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Key(const CSetConditions& c) {
    return c.ToString(false);
}

// The cases one by one: the class both ways from the initial case, the forward part,
// and each case's single occurrences forward (event index, case index).
struct CListedClass {
    std::vector<CSetConditions> cases;
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> next;
    std::set<std::size_t> forward;

    CListedClass(const std::vector<CPNEvent*>& events, const CSetConditions& initial) {
        std::map<std::string, std::size_t> index;
        const auto add = [&](const CSetConditions& c) {
            const auto [it, added] = index.emplace(Key(c), cases.size());
            if (added) {
                cases.push_back(c);
                next.emplace_back();
            }
            return it->second;
        };
        add(initial);
        std::vector<std::vector<std::size_t>> back(1);
        for (std::size_t i = 0; i < cases.size(); ++i)
            for (std::size_t e = 0; e < events.size(); ++e)
                for (const bool forwardStep : {true, false}) {
                    const CPNEvent& event = *events[e];
                    if (!cases[i].HasConcession(event.m_setPreConditions, event.m_setPostConditions,
                                                forwardStep))
                        continue;
                    CSetConditions c = cases[i];
                    c.Subtract(forwardStep ? event.m_setPreConditions : event.m_setPostConditions);
                    c.Union(forwardStep ? event.m_setPostConditions : event.m_setPreConditions);
                    const std::size_t j = add(c);
                    if (forwardStep)
                        next[i].emplace_back(e, j);
                }
        std::vector<std::size_t> queue{0};
        forward.insert(0);
        for (std::size_t k = 0; k < queue.size(); ++k)
            for (const auto& [e, j] : next[queue[k]])
                if (forward.insert(j).second)
                    queue.push_back(j);
    }

    // The cases of the class from which one of target is reached forward, each step
    // staying in within until the target.
    std::set<std::size_t> Reaching(const std::set<std::size_t>& target,
                                   const std::set<std::size_t>& within) const {
        std::set<std::size_t> reached = target;
        for (bool grew = true; grew;) {
            grew = false;
            for (std::size_t i = 0; i < cases.size(); ++i)
                if (!reached.count(i) && within.count(i))
                    for (const auto& [e, j] : next[i])
                        if (reached.count(j)) {
                            reached.insert(i);
                            grew = true;
                            break;
                        }
        }
        return reached;
    }
};

// The listed cases of set s among those of the class.
std::set<std::size_t> Members(CSymbolicEngine& engine, const CCaseSet& s,
                              const CListedClass& listed) {
    std::set<std::size_t> members;
    for (std::size_t i = 0; i < listed.cases.size(); ++i)
        if (engine.Contains(s, listed.cases[i]))
            members.insert(i);
    return members;
}

} // namespace

TEST(CaseSets, AgreeWithTheCasesListedOneByOne) {
    for (int seed = 0; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomNet(net, gen, 4 + seed % 7, 3 + seed % 5);
        const std::vector<CPNEvent*> events = net.GetEvents();
        const CListedClass listed(events, initial);
        CSymbolicEngine engine(events, initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);

        const CCaseSet whole = engine.ClassSet();
        ASSERT_EQ(engine.Count(whole), std::to_string(listed.cases.size()));
        ASSERT_EQ(Members(engine, whole, listed).size(), listed.cases.size());
        EXPECT_EQ(Members(engine, engine.ForwardSet(), listed), listed.forward);
        EXPECT_EQ(engine.Reached(engine.CaseSet(initial)), engine.ForwardSet());
        // The class is closed under single occurrences both ways.
        EXPECT_TRUE(engine.Successors(whole).IsSubsetOf(whole));
        EXPECT_TRUE(engine.Predecessors(whole).IsSubsetOf(whole));

        // Concession, images and pre-images of each event, case by case.
        for (std::size_t e = 0; e < events.size(); ++e) {
            const CPNEvent& event = *events[e];
            std::set<std::size_t> enabled;
            for (std::size_t i = 0; i < listed.cases.size(); ++i) {
                const CCaseSet one = engine.CaseSet(listed.cases[i]);
                CCaseSet image;
                for (const auto& [f, j] : listed.next[i])
                    if (f == e) {
                        enabled.insert(i);
                        image = engine.CaseSet(listed.cases[j]);
                        EXPECT_TRUE(one.IsSubsetOf(engine.PreImage(image, event)));
                    }
                EXPECT_EQ(engine.Image(one, event), image) << Key(listed.cases[i]);
            }
            EXPECT_EQ(Members(engine, engine.WithConcession(event), listed), enabled);
        }

        // Backward fixpoints: to a random case of the class, without and with a
        // condition that must hold on the way.
        const std::size_t to = gen() % listed.cases.size();
        const CCaseSet target = engine.CaseSet(listed.cases[to]);
        const std::set<std::size_t> all = Members(engine, whole, listed);
        EXPECT_EQ(Members(engine, engine.Reaching(target), listed), listed.Reaching({to}, all));
        std::vector<const CPNCondition*> conditions(initial.begin(), initial.end());
        for (const CPNEvent* event : events) {
            conditions.insert(conditions.end(), event->m_setPreConditions.begin(),
                              event->m_setPreConditions.end());
            conditions.insert(conditions.end(), event->m_setPostConditions.begin(),
                              event->m_setPostConditions.end());
        }
        if (conditions.empty())
            continue;
        const CCaseSet holding = engine.Holding(*conditions[gen() % conditions.size()]);
        EXPECT_EQ(Members(engine, engine.ReachingWithin(target, holding), listed),
                  listed.Reaching({to}, Members(engine, holding, listed)));
        // Sets of the engine combine as sets.
        EXPECT_EQ((holding & whole) | (whole - holding), whole);
    }
}
