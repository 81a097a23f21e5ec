// The symbolic engine's sets of cases, as a checker over decision diagrams uses them,
// held to the cases and single occurrences listed one by one on random nets: the
// class, concession, the images and pre-images of single events, and the fixpoints
// backward and forward.

#include "engines/CSymbolicEngine.h"
#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
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

namespace {

// The conditions of a case by the structure's numbers (ascending).
std::vector<int> NumbersOf(const CSetConditions& c, const CNetStructure& net) {
    std::vector<int> numbers;
    for (int b = 0; b < static_cast<int>(net.ConditionCount()); ++b)
        if (c.Contains(net.Conditions()[static_cast<std::size_t>(b)]))
            numbers.push_back(b);
    return numbers;
}

// Fires the run's events one by one from its first case by the C/E rule (pre-set held,
// post-set free), each case as the run lists it; the failure where it does not replay.
std::string Replay(const CSymbolicEngine::CEventRun& run, const CNetStructure& net) {
    if (run.cases.size() != run.events.size() + 1)
        return "cases and events do not match";
    for (std::size_t k = 0; k < run.events.size(); ++k) {
        std::set<int> c(run.cases[k].begin(), run.cases[k].end());
        const int e = run.events[k];
        for (const int b : net.Pre(e))
            if (!c.erase(b))
                return "no concession at step " + std::to_string(k);
        for (const int b : net.Post(e))
            if (!c.insert(b).second)
                return "contact at step " + std::to_string(k);
        if (std::vector<int>(c.begin(), c.end()) != run.cases[k + 1])
            return "another case after step " + std::to_string(k);
    }
    return {};
}

} // namespace

// The engine made from the net as numbers holds the same sets as the one made from the
// drawn events, and its runs are the shortest ones of single events: to every case
// reached forward one as long as its breadth-first distance that replays in the token
// game, to none of the others; from a case through a set, one exactly where the cases
// listed one by one have one.
TEST(CaseSets, TheNetAsNumbersGivesTheSameSetsAndShortestRuns) {
    for (int seed = 0; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign design;
        std::mt19937 gen(static_cast<unsigned>(seed + 100));
        const CSetConditions initial = BuildRandomNet(design, gen, 4 + seed % 7, 3 + seed % 5);
        const std::vector<CPNEvent*> events = design.GetEvents();
        const CListedClass listed(events, initial);
        const CNetStructure net = CNetStructure::FromDesign(design);
        std::vector<std::string> drawnCounts;
        std::set<std::size_t> drawnForward;
        {
            CSymbolicEngine drawn(events, initial);
            ASSERT_EQ(drawn.Run(), ECaseGraphResult::Completed);
            drawnCounts = {drawn.CountCases(), drawn.CountForwardCases(), drawn.CountSteps()};
            drawnForward = Members(drawn, drawn.ForwardSet(), listed);
        }
        CSymbolicEngine engine(net);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        EXPECT_EQ(drawnCounts,
                  (std::vector<std::string>{engine.CountCases(), engine.CountForwardCases(),
                                            engine.CountSteps()}));
        std::vector<std::vector<int>> numbers;
        for (const CSetConditions& c : listed.cases)
            numbers.push_back(NumbersOf(c, net));
        std::set<std::size_t> forward;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (engine.Contains(engine.ForwardSet(), numbers[i]))
                forward.insert(i);
        EXPECT_EQ(forward, drawnForward);

        // Breadth-first distances of single events from the initial case.
        std::map<std::size_t, std::size_t> distance{{0, 0}};
        for (std::vector<std::size_t> ring{0}; !ring.empty();) {
            std::vector<std::size_t> next;
            for (const std::size_t i : ring)
                for (const auto& [e, j] : listed.next[i])
                    if (distance.emplace(j, distance[i] + 1).second)
                        next.push_back(j);
            ring = next;
        }
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const auto run = engine.RunTo(engine.CaseSet(numbers[i]));
            ASSERT_EQ(run.has_value(), listed.forward.count(i) == 1) << Key(listed.cases[i]);
            if (!run)
                continue;
            EXPECT_EQ(run->events.size(), distance.at(i)) << Key(listed.cases[i]);
            EXPECT_EQ(run->cases.front(), net.InitialCase());
            EXPECT_EQ(run->cases.back(), numbers[i]);
            EXPECT_EQ(Replay(*run, net), "");
        }
        const std::size_t from = gen() % numbers.size(), to = gen() % numbers.size();
        const CCaseSet within = net.ConditionCount()
                                    ? engine.Holding(static_cast<int>(gen() % net.ConditionCount()))
                                    : engine.ClassSet();
        const auto run = engine.RunFrom(numbers[from], engine.CaseSet(numbers[to]), &within);
        std::set<std::size_t> inside;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (engine.Contains(within, numbers[i]))
                inside.insert(i);
        EXPECT_EQ(run.has_value(), listed.Reaching({to}, inside).count(from) == 1);
        if (run) {
            EXPECT_EQ(run->cases.back(), numbers[to]);
            EXPECT_EQ(Replay(*run, net), "");
        }
    }
}
