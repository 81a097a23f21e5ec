// The cases engine keeps a case as the bits of the conditions that determine it, in a
// table of a few bytes a case: the keys are as short as the net's incidence allows,
// every case of the class comes back from its key, a set of conditions outside the
// class is never taken for the case whose key it shares, and the table finds every key
// it holds and none it does not, past the points where it grows.

#include "engines/CCaseCode.h"
#include "engines/CCaseTable.h"
#include "engines/CCasesEngine.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

struct KeyRow {
    const char* net;
    // The bits of a key: the rank of the incidence matrix, or every condition.
    int keyBits;
    int cases;
};

const KeyRow kKeyRows[] = {
    // One token round a ring of 6: every condition but one follows from the others.
    {"c0* c1 c2 c3 c4 c5; t0: c0 -> c1; t1: c1 -> c2; t2: c2 -> c3; t3: c3 -> c4; "
     "t4: c4 -> c5; t5: c5 -> c0",
     5, 6},
    // Two conditions swapped by one event: one bit.
    {"a* b; f: a -> b", 1, 2},
    // Independent conditions: each its own bit.
    {"a b; f: -> a; g: -> b", 2, 4},
    // No event: nothing changes, the key is empty.
    {"a* b", 0, 1},
    // An event with a condition both before and after it never has concession; its
    // other condition still counts in the incidence.
    {"a* b; f: a b -> a", 1, 1},
    // Mutual exclusion: two cycles and a semaphore come to two bits.
    {"p0* p1 q0* q1 s*; a: p0 s -> p1; b: p1 -> p0 s; c: q0 s -> q1; d: q1 -> q0 s", 2, 3},
};

std::vector<CCaseCode::Word> Bits(const CSetConditions& c, const std::vector<CPNCondition*>& all) {
    std::vector<CCaseCode::Word> bits((all.size() + 63) / 64 + 1, 0);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (c.Contains(all[i]))
            bits[i / 64] |= CCaseCode::Word{1} << (i % 64);
    return bits;
}

} // namespace

TEST(CaseKeys, AreAsShortAsTheIncidenceAllows) {
    for (const KeyRow& row : kKeyRows) {
        SCOPED_TRACE(row.net);
        CNetDesign net;
        const CSetConditions initial = BuildNetFromText(net, row.net);
        CCasesEngine engine(net.GetEvents(), initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        EXPECT_EQ(engine.KeyBits(), row.keyBits);
        EXPECT_EQ(engine.CaseCount(), row.cases);
    }
    // n philosophers: each one's eating decides his thinking and his forks.
    for (const int n : {3, 10, 32}) {
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, n);
        EXPECT_EQ(CCasesEngine(net.GetEvents(), initial).KeyBits(), n);
    }
}

// Every case of the class is found by its conditions and read back from its key; sets
// of conditions outside the class are not found, though some share a case's key.
TEST(CaseKeys, TellTheClassFromEverythingElse) {
    for (int seed = 0; seed < 30; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial =
            seed % 2 ? BuildRandomSystem(net, gen, 3 + seed % 3, 3, 1 + seed % 3)
                     : BuildRandomNet(net, gen, 4 + seed % 8, 3 + seed % 5);
        CCasesEngine engine(net.GetEvents(), initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        std::set<std::string> inClass;
        for (int i = 0; i < engine.CaseCount(); ++i) {
            const CSetConditions c = engine.Case(i);
            EXPECT_EQ(engine.IndexOf(c), i);
            inClass.insert(c.ToString(false));
        }
        const std::vector<CPNCondition*> conditions = ConditionsOf(net);
        for (int k = 0; k < 200; ++k) {
            CSetConditions c;
            for (CPNCondition* condition : conditions)
                if (gen() % 2)
                    c.Add(condition);
            if (!inClass.count(c.ToString(false))) {
                EXPECT_EQ(engine.IndexOf(c), -1) << c.ToString(false);
            }
        }
    }
}

// The code on its own: a case's key, toggled by an event with concession, is the key
// of the case the event leads to; and the key gives the case back.
TEST(CaseKeys, FollowTheEventsThatChangeTheCase) {
    for (int seed = 0; seed < 20; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomSystem(net, gen, 3, 3 + seed % 3, 2);
        const std::vector<CPNCondition*> conditions = ConditionsOf(net);
        const std::vector<CPNEvent*> events = net.GetEvents();
        const int words = static_cast<int>((conditions.size() + 63) / 64) + 1;
        std::vector<CCaseCode::Word> pre, post;
        for (const CPNEvent* e : events) {
            const auto p = Bits(e->m_setPreConditions, conditions);
            const auto q = Bits(e->m_setPostConditions, conditions);
            pre.insert(pre.end(), p.begin(), p.end());
            post.insert(post.end(), q.begin(), q.end());
        }
        const CCaseCode code(static_cast<int>(conditions.size()), static_cast<int>(events.size()),
                             words, pre, post, Bits(initial, conditions));
        CCasesEngine engine(events, initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        std::vector<CCaseCode::Word> key(static_cast<std::size_t>(code.KeyWords())),
            next(key.size()), back(static_cast<std::size_t>(words));
        for (int i = 0; i < engine.CaseCount(); ++i) {
            const CSetConditions c = engine.Case(i);
            code.Encode(Bits(c, conditions).data(), key.data());
            code.Decode(key.data(), back.data());
            EXPECT_EQ(back, Bits(c, conditions));
            for (std::size_t e = 0; e < events.size(); ++e) {
                if (!c.HasConcession(events[e]->m_setPreConditions, events[e]->m_setPostConditions,
                                     true))
                    continue;
                CSetConditions after = c;
                after.Subtract(events[e]->m_setPreConditions);
                after.Union(events[e]->m_setPostConditions);
                code.Encode(Bits(after, conditions).data(), next.data());
                for (std::size_t w = 0; w < key.size(); ++w)
                    EXPECT_EQ(next[w], key[w] ^ code.Flip(static_cast<int>(e))[w]);
            }
        }
    }
}

// Keys of four, eight and more bytes: every key added is found with its number and read
// back, keys never added are not found; the shards grow by half many times over.
TEST(CaseKeys, TableFindsWhatItHolds) {
    for (const int bits : {20, 32, 57, 64, 100, 200}) {
        SCOPED_TRACE(bits);
        CCaseTable table(bits);
        const int words = table.KeyWords();
        std::mt19937_64 gen(static_cast<unsigned>(bits));
        const auto key = [&](std::uint64_t seed, std::vector<CCaseTable::Word>& out) {
            std::mt19937_64 g(seed);
            out.assign(static_cast<std::size_t>(words), 0);
            for (int b = 0; b < bits; ++b)
                if (g() % 2)
                    out[static_cast<std::size_t>(b / 64)] |= CCaseTable::Word{1} << (b % 64);
        };
        const int n = 20000;
        std::vector<CCaseTable::Word> k, read;
        std::set<std::vector<CCaseTable::Word>> added;
        for (int i = 0; i < n; ++i) {
            key(gen(), k);
            if (!added.insert(k).second)
                continue;
            ASSERT_EQ(table.Find(k.data()), -1);
            EXPECT_EQ(table.Add(k.data()), static_cast<int>(added.size()) - 1);
        }
        ASSERT_EQ(table.Count(), static_cast<int>(added.size()));
        read.resize(static_cast<std::size_t>(words));
        int i = 0;
        std::mt19937_64 again(static_cast<unsigned>(bits));
        std::set<std::vector<CCaseTable::Word>> seen;
        for (int j = 0; j < n; ++j) {
            key(again(), k);
            if (!seen.insert(k).second)
                continue;
            EXPECT_EQ(table.Find(k.data()), i);
            table.Get(i, read.data());
            EXPECT_EQ(read, k);
            ++i;
        }
        for (int j = 0; j < 2000; ++j) {
            key(gen(), k);
            if (!added.count(k)) {
                EXPECT_EQ(table.Find(k.data()), -1);
            }
        }
        // Four bytes a key for 32 bits or fewer, eight for 64, the slots under eight; the
        // keys are kept in blocks of 65,536.
        const std::size_t keyBytes = static_cast<std::size_t>((bits + 31) / 32 * 4);
        EXPECT_LT(table.Bytes(), added.size() * 8 + (keyBytes << 16) + (1u << 16));
    }
}
