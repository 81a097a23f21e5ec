#include "engines/CSymbolicEngine.h"

#include "base/FormatString.h"
#include "engines/CDetachedSetCounter.h"
#include "engines/CSaturation.h"
#include "engines/CaseClassSearch.h"
#include "engines/SymbolicOrder.h"
#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <bdd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <new>
#include <stdexcept>
#include <unordered_map>

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

std::atomic<bool> g_bInUse = false;

// The library reports errors through a hook; a full table becomes an allocation
// failure the caller turns into "not enough memory".
void OnBddError(int code) {
    if (code == BDD_MEMORY || code == BDD_NODENUM)
        throw std::bad_alloc();
    throw std::runtime_error(std::string("decision diagrams: ") + bdd_errstring(code));
}

// Quiet garbage collections.
void OnCollect(int, bddGbcStat*) {}

// An unsigned integer of any size: little-endian limbs of 32 bits.
class CBigCount {
public:
    CBigCount() = default;
    explicit CBigCount(std::uint32_t value) {
        if (value)
            m_limbs.push_back(value);
    }
    void Add(const CBigCount& other) {
        std::uint64_t carry = 0;
        m_limbs.resize(std::max(m_limbs.size(), other.m_limbs.size()), 0);
        for (std::size_t i = 0; i < m_limbs.size(); ++i) {
            const std::uint64_t sum = std::uint64_t{m_limbs[i]} +
                                      (i < other.m_limbs.size() ? other.m_limbs[i] : 0) + carry;
            m_limbs[i] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        if (carry)
            m_limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    CBigCount Shifted(int bits) const {
        if (m_limbs.empty() || bits == 0)
            return *this;
        CBigCount result;
        result.m_limbs.assign(At(bits / 32), 0);
        const int shift = bits % 32;
        std::uint32_t carry = 0;
        for (std::uint32_t limb : m_limbs) {
            result.m_limbs.push_back(shift ? (limb << shift) | carry : limb);
            carry = shift ? limb >> (32 - shift) : 0;
        }
        if (carry)
            result.m_limbs.push_back(carry);
        return result;
    }
    std::string Decimal() const {
        std::vector<std::uint32_t> n = m_limbs;
        std::string digits;
        while (!n.empty()) {
            std::uint64_t rest = 0;
            for (std::size_t i = n.size(); i-- > 0;) {
                const std::uint64_t cur = (rest << 32) | n[i];
                n[i] = static_cast<std::uint32_t>(cur / 1000000000);
                rest = cur % 1000000000;
            }
            while (!n.empty() && n.back() == 0)
                n.pop_back();
            std::string chunk = std::to_string(rest);
            if (!n.empty())
                chunk.insert(0, 9 - chunk.size(), '0');
            digits.insert(0, chunk);
        }
        return digits.empty() ? "0" : digits;
    }

private:
    std::vector<std::uint32_t> m_limbs;
};

} // namespace

struct CSymbolicEngine::Impl {
    std::size_t nc = 0, ne = 0;
    // The drawn elements behind the numbers, for an engine made from them: the
    // conditions in serial order, the events in the net's order; empty otherwise.
    std::vector<CPNCondition*> conditions;
    std::vector<CPNEvent*> events;
    std::vector<int> initialCase;
    std::vector<std::vector<int>> pre, post;
    // Per condition its variable and a tag (touched by an event of the step being
    // built); per event its variable in the step relation.
    std::vector<int> varX, varT, varU;
    int nVars = 0;
    // The condition of each case variable (-1 for the other variables).
    std::vector<int> conditionOfVar;

    bdd initial, whole, forward, steps;
    bool stepsBuilt = false;
    // The class both ways is computed when first asked for: what the initial case
    // reaches forward is often a small part of it.
    bool wholeBuilt = false;
    CaseGraphProgress progress;
    bdd xSet, tSet, untouched;
    std::vector<bdd> enabled, fired, varsOf, untouchedOf, touchedOf, varsAndTagsOf;
    // The single events for saturation, forward; reversed: each event's need and give
    // swapped, so that forward saturation over them goes backward.
    std::vector<CSaturation::CEvent> saturationEvents, reversedEvents;
    // The onion rings of a breadth-first search of single events: rings[k] the cases
    // first met after k events, seen their union; complete once no event leads further.
    struct CRings {
        std::vector<bdd> rings;
        bdd seen;
        bool complete = false;
    };
    // Those from the initial case, kept for the next run asked for, grown only as far as
    // a target needs.
    CRings forwardRings;

    int Number(const CPNCondition* c) const {
        auto it = std::lower_bound(conditions.begin(), conditions.end(), c,
                                   [](const CPNCondition* a, const CPNCondition* b) {
                                       return a->GetSerial() < b->GetSerial();
                                   });
        return it != conditions.end() && *it == c ? static_cast<int>(it - conditions.begin()) : -1;
    }
    bdd X(int b) const { return bdd_ithvar(varX[At(b)]); }

    // The case as a full assignment of the case variables; false for a condition the
    // net does not use.
    bdd Cube(const CSetConditions& c) const {
        std::vector<int> numbers;
        for (const CPNCondition* cond : c) {
            const int b = Number(cond);
            if (b < 0)
                return bddfalse;
            numbers.push_back(b);
        }
        return Cube(numbers);
    }
    bdd Cube(const std::vector<int>& c) const {
        std::vector<bool> in(nc, false);
        for (const int b : c) {
            if (b < 0 || At(b) >= nc)
                return bddfalse;
            in[At(b)] = true;
        }
        // Bottom up, each literal above the ones before: one new node each.
        const std::vector<int> vars = CaseVars();
        bdd cube = bddtrue;
        for (auto v = vars.rbegin(); v != vars.rend(); ++v)
            cube &= in[At(conditionOfVar[At(*v)])] ? bdd_ithvar(*v) : bdd_nithvar(*v);
        return cube;
    }

    // The conditions of a cube over the case variables (one path to true), ascending.
    std::vector<int> NumbersOf(const bdd& cube) const {
        std::vector<char> value(At(nVars), 0);
        for (BDD node = cube.id(); node > 1;) {
            const BDD low = bdd_low(node);
            if (low == 0) {
                value[At(bdd_var(node))] = 1;
                node = bdd_high(node);
            } else {
                node = low;
            }
        }
        std::vector<int> result;
        for (std::size_t b = 0; b < nc; ++b)
            if (value[At(varX[b])])
                result.push_back(static_cast<int>(b));
        return result;
    }
    CSetConditions ElementsOf(const std::vector<int>& numbers) const {
        CSetConditions result;
        for (const int b : numbers)
            result.Add(conditions[At(b)]);
        return result;
    }
    CSetConditions CaseOf(const bdd& cube) const { return ElementsOf(NumbersOf(cube)); }

    // Grows the rings (from the cases of within alone) until one meets target: its
    // index, or -1 once they are complete without it.
    int Grow(CRings& r, const bdd& within, const bdd& target, const RunTick& tick) const {
        for (std::size_t k = 0;; ++k) {
            if (k == r.rings.size()) {
                if (r.complete)
                    return -1;
                if (tick)
                    tick();
                const bdd next = Neighbours(r.rings.back() & within, true) - r.seen;
                if (next == bddfalse) {
                    r.complete = true;
                    return -1;
                }
                r.seen |= next;
                r.rings.push_back(next);
            }
            if ((r.rings[k] & target) != bddfalse)
                return static_cast<int>(k);
        }
    }

    // Whether the case (held by condition number) is one of f, a set over the case
    // variables: the path its values take through the diagram ends in true.
    bool Member(const bdd& f, const std::vector<char>& held) const {
        BDD node = f.id();
        while (node > 1)
            node = held[At(conditionOfVar[At(bdd_var(node))])] ? bdd_high(node) : bdd_low(node);
        return node == 1;
    }

    // The run from the first ring to a case of target in ring k: one case of it, then
    // back ring by ring by the pre-image of one event at a time. The case before an
    // occurrence is known from the case after it: only its membership of the ring is
    // asked of the diagram.
    CEventRun WalkBack(const CRings& r, int k, const bdd& within, const bdd& target) const {
        CEventRun run;
        run.cases.push_back(NumbersOf(bdd_satoneset(r.rings[At(k)] & target, xSet, bddfalse)));
        std::vector<char> held(nc, 0);
        for (; k > 0; --k) {
            const bdd before = r.rings[At(k - 1)] & within;
            std::fill(held.begin(), held.end(), 0);
            for (const int b : run.cases.back())
                held[At(b)] = 1;
            for (int e = 0; e < static_cast<int>(ne); ++e) {
                // Backward: its post-set held, its pre-set free (none where a condition
                // is on both sides).
                const auto isHeld = [&](int b) { return held[At(b)] != 0; };
                if (enabled[At(e)] == bddfalse ||
                    !std::all_of(post[At(e)].begin(), post[At(e)].end(), isHeld) ||
                    std::any_of(pre[At(e)].begin(), pre[At(e)].end(), isHeld))
                    continue;
                for (const int b : post[At(e)])
                    held[At(b)] = 0;
                for (const int b : pre[At(e)])
                    held[At(b)] = 1;
                if (Member(before, held)) {
                    std::vector<int> from;
                    for (std::size_t b = 0; b < nc; ++b)
                        if (held[b])
                            from.push_back(static_cast<int>(b));
                    run.events.push_back(e);
                    run.cases.push_back(std::move(from));
                    break;
                }
                for (const int b : pre[At(e)])
                    held[At(b)] = 0;
                for (const int b : post[At(e)])
                    held[At(b)] = 1;
            }
        }
        std::reverse(run.events.begin(), run.events.end());
        std::reverse(run.cases.begin(), run.cases.end());
        return run;
    }

    bdd Image(const bdd& s, int e, bool forwardStep) const {
        const bdd& need = forwardStep ? enabled[At(e)] : fired[At(e)];
        const bdd& give = forwardStep ? fired[At(e)] : enabled[At(e)];
        // need assigns every variable of the event (false for an event with a
        // condition on both sides): the cofactor of s by it leaves those out.
        if (need == bddfalse)
            return bddfalse;
        return bdd_restrict(s, need) & give;
    }

    // Every case the single events reach from s, forward only or both ways, by
    // saturation. The progress is told the cases of s while it runs (the closure's are
    // known at its end), and those of the closure.
    bdd Closure(const bdd& s, bool both, const CaseGraphProgress& progress, bool& cancelled) const {
        const auto count = [this](const bdd& f) {
            const double n = bdd_satcountset(f, xSet);
            return n > INT_MAX ? INT_MAX : static_cast<int>(n);
        };
        const int start = progress ? count(s) : 0;
        CSaturation saturation(saturationEvents, both);
        try {
            const bdd closed =
                saturation.Closure(s, [&] { return !progress || progress(start, 0); });
            cancelled = progress && !progress(count(closed), 0);
            return closed;
        } catch (const CSaturation::CStopped&) {
            cancelled = true;
            return s;
        }
    }

    // Whether no event leads backward out of s: the forward class is often closed both
    // ways (every net whose steps can be undone, and the queens), and testing it costs
    // a few images where the closure both ways would run the forward search again.
    bool IsClosedBackward(const bdd& s) const {
        // Backward, e leads from the cases of s where it has just occurred to the
        // same cases with its preconditions back: they are in s where the cofactor of
        // s by what e gives lies within the cofactor by what it needs.
        for (std::size_t e = 0; e < ne; ++e)
            if (enabled[e] != bddfalse &&
                bdd_apply(bdd_restrict(s, fired[e]), bdd_restrict(s, enabled[e]), bddop_diff) !=
                    bddfalse)
                return false;
        return true;
    }

    int EventAt(const CPNEvent& event) const {
        const auto it = std::find(events.begin(), events.end(), &event);
        if (it == events.end())
            throw std::invalid_argument("the event is not one of the engine's net");
        return static_cast<int>(it - events.begin());
    }

    // Every single event's image or pre-image of s.
    bdd Neighbours(const bdd& s, bool forwardStep) const {
        bdd result = bddfalse;
        for (int e = 0; e < static_cast<int>(ne); ++e)
            result |= Image(s, e, forwardStep);
        return result;
    }

    const bdd& Whole() {
        if (!wholeBuilt) {
            bool cancelled = false;
            whole =
                IsClosedBackward(forward) ? forward : Closure(forward, true, progress, cancelled);
            if (cancelled)
                throw std::runtime_error("cancelled");
            wholeBuilt = true;
        }
        return whole;
    }

    void BuildSteps() {
        if (stepsBuilt)
            return;
        // Built on the class from the start: the steps of the cases that are reached
        // are a much smaller function than the steps of every assignment.
        bdd result = Whole(), anyEvent = bddfalse;
        for (std::size_t e = 0; e < ne; ++e) {
            result &= bdd_nithvar(varU[e]) | enabled[e];
            anyEvent |= bdd_ithvar(varU[e]);
        }
        // Detached: no two events of a step share a pre- or a postcondition.
        std::vector<std::vector<int>> consumers(nc), producers(nc);
        for (std::size_t e = 0; e < ne; ++e) {
            for (int b : pre[e])
                consumers[At(b)].push_back(varU[e]);
            for (int b : post[e])
                producers[At(b)].push_back(varU[e]);
        }
        auto atMostOne = [](const std::vector<int>& vars) {
            bdd none = bddtrue, one = bddfalse;
            for (int v : vars) {
                one = (one & bdd_nithvar(v)) | (none & bdd_ithvar(v));
                none &= bdd_nithvar(v);
            }
            return none | one;
        };
        for (std::size_t b = 0; b < nc; ++b)
            result &= atMostOne(consumers[b]) & atMostOne(producers[b]);
        steps = result & anyEvent;
        stepsBuilt = true;
    }

    // The cases one step leads to from the cases of s, forward or backward. The events
    // of a step touch pairwise disjoint conditions (detached, and each with concession
    // in the case), so a step is the same as firing its events one after another where
    // none touches a condition an earlier one touched: each event in turn may fire or
    // not, the conditions it touches tagged; at least one fires.
    bdd StepImage(const bdd& s, bool forwardStep) const {
        bdd state = s & untouched;
        for (int e = 0; e < static_cast<int>(ne); ++e) {
            const bdd& need = forwardStep ? enabled[At(e)] : fired[At(e)];
            const bdd& give = forwardStep ? fired[At(e)] : enabled[At(e)];
            state |= bdd_appex(state, need & untouchedOf[At(e)], bddop_and, varsAndTagsOf[At(e)]) &
                     give & touchedOf[At(e)];
        }
        return bdd_exist(state & !untouched, tSet);
    }

    // The events of one step from one case to another: those whose conditions change as
    // they would, which cover the changed conditions without sharing one.
    CSetEvents StepEvents(const CSetConditions& from, const CSetConditions& into) const {
        std::vector<int> change(nc, 0); // -1 emptied, +1 filled
        for (const CPNCondition* c : from)
            change[At(Number(c))] -= 1;
        for (const CPNCondition* c : into)
            change[At(Number(c))] += 1;
        std::vector<int> candidates;
        for (std::size_t e = 0; e < ne; ++e) {
            bool fits = !pre[e].empty() || !post[e].empty();
            for (int b : pre[e])
                fits = fits && change[At(b)] == -1;
            for (int b : post[e])
                fits = fits && change[At(b)] == 1;
            if (fits)
                candidates.push_back(static_cast<int>(e));
        }
        std::vector<char> covered(nc, 0);
        std::vector<int> chosen;
        std::function<bool()> cover = [&]() -> bool {
            std::size_t b = 0;
            while (b < nc && (change[b] == 0 || covered[b]))
                ++b;
            if (b == nc)
                return true;
            for (int e : candidates) {
                auto touches = [&](int c) { return static_cast<std::size_t>(c) == b; };
                if (std::none_of(pre[At(e)].begin(), pre[At(e)].end(), touches) &&
                    std::none_of(post[At(e)].begin(), post[At(e)].end(), touches))
                    continue;
                auto free = [&](int c) { return !covered[At(c)]; };
                if (!std::all_of(pre[At(e)].begin(), pre[At(e)].end(), free) ||
                    !std::all_of(post[At(e)].begin(), post[At(e)].end(), free))
                    continue;
                for (int c : pre[At(e)])
                    covered[At(c)] = 1;
                for (int c : post[At(e)])
                    covered[At(c)] = 1;
                chosen.push_back(e);
                if (cover())
                    return true;
                chosen.pop_back();
                for (int c : pre[At(e)])
                    covered[At(c)] = 0;
                for (int c : post[At(e)])
                    covered[At(c)] = 0;
            }
            return false;
        };
        CSetEvents result;
        if (cover())
            for (int e : chosen)
                result.Add(events[At(e)]);
        return result;
    }

    // The number of assignments of the variables in `counted` (ascending) that satisfy
    // f, whose support lies among them.
    std::string Count(const bdd& f, const std::vector<int>& counted) const {
        // Positions by level: the variables may be reordered.
        std::vector<int> levels;
        for (int v : counted)
            levels.push_back(bdd_var2level(v));
        std::sort(levels.begin(), levels.end());
        std::vector<int> position(At(nVars) + 1, 0);
        {
            std::size_t k = 0;
            for (int level = 0; level <= nVars; ++level) {
                while (k < levels.size() && levels[k] < level)
                    ++k;
                position[At(level)] = static_cast<int>(k);
            }
        }
        const int total = static_cast<int>(counted.size());
        auto positionOf = [&](BDD node) {
            return node <= 1 ? total : position[At(bdd_var2level(bdd_var(node)))];
        };
        std::unordered_map<BDD, CBigCount> memo;
        std::function<CBigCount(BDD)> sat = [&](BDD node) -> CBigCount {
            if (node == 0)
                return CBigCount();
            if (node == 1)
                return CBigCount(1);
            if (auto it = memo.find(node); it != memo.end())
                return it->second;
            const int here = positionOf(node);
            const BDD low = bdd_low(node), high = bdd_high(node);
            CBigCount result = sat(low).Shifted(positionOf(low) - here - 1);
            result.Add(sat(high).Shifted(positionOf(high) - here - 1));
            memo.emplace(node, result);
            return result;
        };
        return sat(f.id()).Shifted(positionOf(f.id())).Decimal();
    }

    // The case variables in the order of their levels.
    std::vector<int> CaseVars() const {
        std::vector<int> vars(varX);
        std::sort(vars.begin(), vars.end(),
                  [](int a, int b) { return bdd_var2level(a) < bdd_var2level(b); });
        return vars;
    }

    using Word = std::uint64_t;

    // Every case of f in the diagram's order, as bits by condition number, while visit
    // says go on.
    void ForEachCase(const bdd& f,
                     const std::function<bool(const std::vector<Word>&)>& visit) const {
        const std::vector<int> order = CaseVars();
        std::vector<Word> bits((nc + 63) / 64 + 1, 0);
        bool goOn = true;
        std::function<void(BDD, std::size_t)> walk = [&](BDD node, std::size_t k) {
            if (node == 0 || !goOn)
                return;
            if (k == order.size()) {
                goOn = visit(bits);
                return;
            }
            const int v = order[k];
            const auto b = At(conditionOfVar[At(v)]);
            const bool decides = node > 1 && bdd_var(node) == v; // levels ascend along order
            const Word bit = Word{1} << (b % 64);
            bits[b / 64] &= ~bit;
            walk(decides ? bdd_low(node) : node, k + 1);
            bits[b / 64] |= bit;
            walk(decides ? bdd_high(node) : node, k + 1);
            bits[b / 64] &= ~bit;
        };
        walk(f.id(), 0);
    }

    // The cases of f in the diagram's order, at most limit of them.
    void Enumerate(const bdd& f, std::size_t limit, std::vector<CSetConditions>& out) const {
        if (limit == 0)
            return;
        ForEachCase(f, [&](const std::vector<Word>& bits) {
            CSetConditions c;
            for (std::size_t b = 0; b < nc; ++b)
                if ((bits[b / 64] >> (b % 64)) & 1)
                    c.Add(conditions[b]);
            out.push_back(c);
            return out.size() < limit;
        });
    }

    // The steps of the cases of f counted case by case, as the cases engine counts them;
    // nothing where a case has more events with concession than the counter takes.
    std::optional<UInt128> CountStepsOneByOne(const bdd& f) const {
        const std::size_t words = (nc + 63) / 64 + 1;
        std::vector<Word> need(ne * words, 0), free(ne * words, 0);
        for (std::size_t e = 0; e < ne; ++e) {
            for (const int b : pre[e])
                need[e * words + At(b) / 64] |= Word{1} << (b % 64);
            for (const int b : post[e])
                free[e * words + At(b) / 64] |= Word{1} << (b % 64);
        }
        const auto meets = [&](const std::vector<Word>& masks, std::size_t a, std::size_t b) {
            for (std::size_t w = 0; w < words; ++w)
                if (masks[a * words + w] & masks[b * words + w])
                    return true;
            return false;
        };
        UInt128 total = 0;
        bool counted = true;
        std::vector<std::size_t> enabled;
        ForEachCase(f, [&](const std::vector<Word>& c) {
            enabled.clear();
            for (std::size_t e = 0; e < ne; ++e) {
                bool has = true;
                for (std::size_t w = 0; w < words && has; ++w)
                    has = (need[e * words + w] & ~c[w]) == 0 && (free[e * words + w] & c[w]) == 0;
                if (has)
                    enabled.push_back(e);
            }
            const auto answer = DetachedSets::Ask(
                static_cast<int>(enabled.size()),
                [&](int i, int j) {
                    const std::size_t a = enabled[At(i)], b = enabled[At(j)];
                    return meets(need, a, b) || meets(free, a, b);
                },
                DetachedSets::EAsk::Count);
            counted = answer.has_value();
            if (counted)
                total += answer->count;
            return counted;
        });
        if (!counted)
            return std::nullopt;
        return total;
    }
};

namespace {

// The conditions drawn events and an initial case use, in serial order.
std::vector<CPNCondition*> UsedConditions(const std::vector<CPNEvent*>& events,
                                          const CSetConditions& initialCase) {
    std::vector<CPNCondition*> all(initialCase.begin(), initialCase.end());
    for (const CPNEvent* e : events) {
        all.insert(all.end(), e->m_setPreConditions.begin(), e->m_setPreConditions.end());
        all.insert(all.end(), e->m_setPostConditions.begin(), e->m_setPostConditions.end());
    }
    std::sort(all.begin(), all.end(), [](const CPNCondition* a, const CPNCondition* b) {
        return a->GetSerial() < b->GetSerial();
    });
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

// Drawn events as numbers: the conditions they and the initial case use by serial
// order, the events in theirs; the sets the events hold (the test fills them from the
// edges), the names left out.
CNetStructure StructureOf(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase) {
    const std::vector<CPNCondition*> conditions = UsedConditions(events, initialCase);
    CNetStructure net;
    for (const CPNCondition* c : conditions)
        net.AddCondition({}, initialCase.Contains(c));
    const auto number = [&](const CPNCondition* c) {
        return static_cast<int>(std::lower_bound(conditions.begin(), conditions.end(), c,
                                                 [](const CPNCondition* a, const CPNCondition* b) {
                                                     return a->GetSerial() < b->GetSerial();
                                                 }) -
                                conditions.begin());
    };
    for (const CPNEvent* e : events) {
        const int n = net.AddEvent({});
        for (const CPNCondition* c : e->m_setPreConditions)
            net.AddPre(n, number(c));
        for (const CPNCondition* c : e->m_setPostConditions)
            net.AddPost(n, number(c));
    }
    return net;
}

// The order of the conditions an event touches or the initial case holds, as the net
// gives it (SymbolicOrder), numbered among themselves; the others, constant, after them.
// A file's places that no arc meets would otherwise move the others apart: the queens'
// forward class then takes minutes instead of seconds.
std::vector<int> UsedFirst(std::size_t nc, const std::vector<std::vector<int>>& touched,
                           const std::vector<int>& initialCase) {
    std::vector<char> used(nc, 0);
    for (const std::vector<int>& conditions : touched)
        for (const int b : conditions)
            used[At(b)] = 1;
    for (const int b : initialCase)
        used[At(b)] = 1;
    std::vector<int> number(nc, -1), condition;
    for (std::size_t b = 0; b < nc; ++b)
        if (used[b]) {
            number[b] = static_cast<int>(condition.size());
            condition.push_back(static_cast<int>(b));
        }
    std::vector<std::vector<int>> numbered(touched.size());
    for (std::size_t e = 0; e < touched.size(); ++e)
        for (const int b : touched[e])
            numbered[e].push_back(number[At(b)]);
    std::vector<int> order;
    for (const int k : SymbolicOrder::Conditions(static_cast<int>(condition.size()), numbered))
        order.push_back(condition[At(k)]);
    for (std::size_t b = 0; b < nc; ++b)
        if (!used[b])
            order.push_back(static_cast<int>(b));
    return order;
}

} // namespace

CSymbolicEngine::CSymbolicEngine(const std::vector<CPNEvent*>& events,
                                 const CSetConditions& initialCase)
    : CSymbolicEngine(StructureOf(events, initialCase)) {
    m_p->conditions = UsedConditions(events, initialCase);
    m_p->events = events;
}

CSymbolicEngine::CSymbolicEngine(const CNetStructure& net) : m_p(std::make_unique<Impl>()) {
    // Claimed at once, for the diagrams may be started on another thread (beside the
    // cases, or a question's task); given back where the construction fails.
    if (g_bInUse.exchange(true))
        throw std::logic_error("one symbolic case analysis at a time");
    struct CClaim {
        bool held = true;
        ~CClaim() {
            if (held)
                g_bInUse = false;
        }
    } claim;
    Impl& d = *m_p;
    const std::size_t nc = net.ConditionCount(), ne = net.EventCount();
    d.nc = nc;
    d.ne = ne;
    d.initialCase = net.InitialCase();
    for (int e = 0; e < static_cast<int>(ne); ++e) {
        d.pre.push_back(net.Pre(e));
        d.post.push_back(net.Post(e));
    }
    // The variable order follows the net (SymbolicOrder): each condition's variable and
    // its tag side by side, each event's variable after the last of its conditions.
    d.varX.assign(nc, -1);
    d.varT.assign(nc, -1);
    d.varU.assign(ne, -1);
    std::vector<std::vector<int>> touched(ne);
    for (std::size_t e = 0; e < ne; ++e) {
        touched[e] = d.pre[e];
        touched[e].insert(touched[e].end(), d.post[e].begin(), d.post[e].end());
    }
    const std::vector<int> order = UsedFirst(nc, touched, d.initialCase);
    std::vector<std::vector<int>> endingAt(nc);
    {
        std::vector<int> position(nc);
        for (std::size_t k = 0; k < nc; ++k)
            position[At(order[k])] = static_cast<int>(k);
        for (std::size_t e = 0; e < ne; ++e) {
            int last = -1;
            for (const int b : touched[e])
                if (last < 0 || position[At(b)] > position[At(last)])
                    last = b;
            if (last >= 0)
                endingAt[At(last)].push_back(static_cast<int>(e));
        }
    }
    int next = 0;
    for (const int b : order) {
        d.varX[At(b)] = next++;
        d.varT[At(b)] = next++;
        for (const int e : endingAt[At(b)])
            d.varU[At(e)] = next++;
    }
    for (std::size_t e = 0; e < ne; ++e)
        if (d.varU[e] < 0)
            d.varU[e] = next++;
    d.nVars = next;
    d.conditionOfVar.assign(At(next), -1);
    for (std::size_t b = 0; b < nc; ++b)
        d.conditionOfVar[At(d.varX[b])] = static_cast<int>(b);

    claim.held = false;
    // The operator caches grow with the node table, a quarter of its size: the images
    // of saturation revisit the same nodes many times.
    bdd_init(1000000, 250000);
    bdd_setcacheratio(4);
    bdd_error_hook(OnBddError);
    bdd_gbc_hook(OnCollect);
    bdd_setmaxincrease(4000000);
    bdd_setvarnum(std::max(1, d.nVars));
    // The order follows the net, a condition's variable and its tag together. No
    // sifting inside the searches: it costs more than the diagrams grow there.
    for (std::size_t b = 0; b < nc; ++b)
        bdd_intaddvarblock(std::min(d.varX[b], d.varT[b]), std::max(d.varX[b], d.varT[b]),
                           BDD_REORDER_FIXED);
    bdd_reorder_verbose(0);
    bdd_autoreorder(BDD_REORDER_NONE);
}

CSymbolicEngine::~CSymbolicEngine() {
    m_p.reset();
    bdd_done();
    g_bInUse = false;
}

ECaseGraphResult CSymbolicEngine::Run(const CaseGraphProgress& progress, long long memoryLimit) {
    Impl& d = *m_p;
    // A node takes about 20 bytes in the table and as much again in the caches.
    if (memoryLimit > 0)
        bdd_setmaxnodenum(static_cast<int>(std::min<long long>(INT_MAX, memoryLimit / 40)));
    try {
        const std::size_t nc = d.nc;
        std::vector<int> xs, ts;
        d.untouched = bddtrue;
        for (std::size_t b = 0; b < nc; ++b) {
            xs.push_back(d.varX[b]);
            ts.push_back(d.varT[b]);
            d.untouched &= bdd_nithvar(d.varT[b]);
        }
        d.xSet = bdd_makeset(xs.data(), static_cast<int>(xs.size()));
        d.tSet = bdd_makeset(ts.data(), static_cast<int>(ts.size()));
        for (std::size_t e = 0; e < d.ne; ++e) {
            bdd need = bddtrue, give = bddtrue;
            bdd untouchedOf = bddtrue, touchedOf = bddtrue;
            std::vector<int> vars, varsAndTags;
            for (const std::vector<int>* side : {&d.pre[e], &d.post[e]})
                for (int b : *side) {
                    const bool isPre = side == &d.pre[e];
                    need &= isPre ? d.X(b) : !d.X(b);
                    give &= isPre ? !d.X(b) : d.X(b);
                    untouchedOf &= bdd_nithvar(d.varT[At(b)]);
                    touchedOf &= bdd_ithvar(d.varT[At(b)]);
                    vars.push_back(d.varX[At(b)]);
                    varsAndTags.push_back(d.varX[At(b)]);
                    varsAndTags.push_back(d.varT[At(b)]);
                }
            d.enabled.push_back(need);
            d.fired.push_back(give);
            d.untouchedOf.push_back(untouchedOf);
            d.touchedOf.push_back(touchedOf);
            d.varsOf.push_back(bdd_makeset(vars.data(), static_cast<int>(vars.size())));
            d.varsAndTagsOf.push_back(
                bdd_makeset(varsAndTags.data(), static_cast<int>(varsAndTags.size())));
            d.saturationEvents.push_back({need, give, d.varsOf.back(), vars});
            d.reversedEvents.push_back({give, need, d.varsOf.back(), vars});
        }
        d.initial = d.Cube(d.initialCase);
        bool cancelled = false;
        d.progress = progress;
        d.forward = d.Closure(d.initial, false, progress, cancelled);
        return cancelled ? ECaseGraphResult::Cancelled : ECaseGraphResult::Completed;
    } catch (const std::bad_alloc&) {
        return ECaseGraphResult::NotEnoughMemory;
    }
}

std::string CSymbolicEngine::CountCases() {
    return m_p->Count(m_p->Whole(), m_p->CaseVars());
}

std::string CSymbolicEngine::CountForwardCases() {
    return m_p->Count(m_p->forward, m_p->CaseVars());
}

std::string CSymbolicEngine::CountSteps() {
    Impl& d = *m_p;
    // Few cases are counted one by one, as the cases engine counts them, in less time
    // than the diagram of the steps may take (dense nets: the eight queens).
    if (!d.stepsBuilt && bdd_satcountset(d.Whole(), d.xSet) <= kStepsOneByOne)
        if (const std::optional<UInt128> steps = d.CountStepsOneByOne(d.Whole()))
            return DecimalText(*steps);
    d.BuildSteps();
    std::vector<int> vars = d.CaseVars();
    vars.insert(vars.end(), d.varU.begin(), d.varU.end());
    return d.Count(d.steps, vars);
}

bool CSymbolicEngine::IsContactFree() {
    Impl& d = *m_p;
    for (std::size_t e = 0; e < d.ne; ++e) {
        bdd holdsPre = bddtrue, holdsPost = bddtrue, meetsPre = bddfalse, meetsPost = bddfalse;
        for (int b : d.pre[e]) {
            holdsPre &= d.X(b);
            meetsPre |= d.X(b);
        }
        for (int b : d.post[e]) {
            holdsPost &= d.X(b);
            meetsPost |= d.X(b);
        }
        if ((d.Whole() & ((holdsPre & meetsPost) | (holdsPost & meetsPre))) != bddfalse)
            return false;
    }
    return true;
}

bool CSymbolicEngine::IsForwardReachable(const CSetConditions& c) {
    return (m_p->forward & m_p->Cube(c)) != bddfalse;
}

CCaseSearchResult CSymbolicEngine::Find(const std::vector<CPNCondition*>& wanted,
                                        const std::vector<CPNCondition*>& unwanted,
                                        bool onlyReachable, std::size_t shown) {
    Impl& d = *m_p;
    bdd found = onlyReachable ? d.forward : d.Whole();
    for (const CPNCondition* c : wanted) {
        const int b = d.Number(c);
        found &= b < 0 ? bddfalse : d.X(b);
    }
    for (const CPNCondition* c : unwanted)
        if (const int b = d.Number(c); b >= 0)
            found &= !d.X(b);
    CCaseSearchResult result;
    result.count = d.Count(found, d.CaseVars());
    // Few enough to sort: the first in the order of their texts, as the other
    // engines give them; else the first in the diagram's order, sorted.
    std::vector<CSetConditions> cases;
    const bool sortAll = bdd_satcountset(found, d.xSet) <= kSortedSearchLimit;
    d.Enumerate(found, sortAll ? kSortedSearchLimit : shown, cases);
    std::vector<std::pair<std::string, std::size_t>> order;
    for (std::size_t i = 0; i < cases.size(); ++i)
        order.emplace_back(cases[i].ToString(false), i);
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return CaseTextBefore(a.first, b.first); });
    for (std::size_t k = 0; k < order.size() && k < shown; ++k)
        result.first.push_back(cases[order[k].second]);
    return result;
}

std::optional<CCaseRun> CSymbolicEngine::PathTo(const CSetConditions& to) {
    Impl& d = *m_p;
    const bdd target = d.Cube(to);
    const bool forwardOnly = (d.forward & target) != bddfalse;
    if (!forwardOnly && (d.Whole() & target) == bddfalse)
        return std::nullopt;
    // The breadth-first layers of steps from the initial case up to the target.
    std::vector<bdd> layers{d.initial};
    bdd visited = d.initial;
    while ((layers.back() & target) == bddfalse) {
        bdd next = d.StepImage(layers.back(), true);
        if (!forwardOnly)
            next |= d.StepImage(layers.back(), false);
        next &= !visited;
        if (next == bddfalse)
            return std::nullopt;
        visited |= next;
        layers.push_back(next);
    }
    // Back from the target: a case of the layer before that leads to it, by a forward
    // step where there is one; the first in the diagram's order.
    CCaseRun run;
    run.from = d.ElementsOf(d.initialCase);
    run.to = to;
    run.found = true;
    bdd current = target;
    for (std::size_t k = layers.size() - 1; k > 0; --k) {
        // A forward step from b leads to the current case when a backward step from
        // the current case leads to b.
        bdd before = d.StepImage(current, false) & layers[k - 1];
        const bool forward = before != bddfalse;
        if (!forward)
            before = d.StepImage(current, true) & layers[k - 1];
        const bdd previous = bdd_satoneset(before, d.xSet, bddfalse);
        const CSetConditions here = d.CaseOf(current), there = d.CaseOf(previous);
        const CSetEvents events = forward ? d.StepEvents(there, here) : d.StepEvents(here, there);
        run.steps.push_back({events, forward, here});
        current = previous;
    }
    std::reverse(run.steps.begin(), run.steps.end());
    return run;
}

bool CSymbolicEngine::HasConcessionInTheClass(const CPNEvent& event) {
    Impl& d = *m_p;
    const auto it = std::find(d.events.begin(), d.events.end(), &event);
    return it != d.events.end() &&
           (d.Whole() & d.enabled[static_cast<std::size_t>(it - d.events.begin())]) != bddfalse;
}

CCaseSet CSymbolicEngine::ClassSet() {
    return CCaseSet(m_p->Whole());
}

CCaseSet CSymbolicEngine::ForwardSet() {
    return CCaseSet(m_p->forward);
}

CCaseSet CSymbolicEngine::CaseSet(const CSetConditions& c) {
    return CCaseSet(m_p->Cube(c));
}

CCaseSet CSymbolicEngine::CaseSet(const std::vector<int>& conditions) {
    return CCaseSet(m_p->Cube(conditions));
}

CCaseSet CSymbolicEngine::InitialSet() {
    return CCaseSet(m_p->initial);
}

CCaseSet CSymbolicEngine::Holding(const CPNCondition& condition) {
    const int b = m_p->Number(&condition);
    return b < 0 ? CCaseSet() : Holding(b);
}

CCaseSet CSymbolicEngine::Holding(int condition) {
    return CCaseSet(m_p->X(condition));
}

CCaseSet CSymbolicEngine::WithConcession(const CPNEvent& event) {
    return WithConcession(m_p->EventAt(event));
}

CCaseSet CSymbolicEngine::WithConcession(int event) {
    return CCaseSet(m_p->enabled[At(event)]);
}

CCaseSet CSymbolicEngine::Image(const CCaseSet& s, const CPNEvent& event) {
    return Image(s, m_p->EventAt(event));
}

CCaseSet CSymbolicEngine::Image(const CCaseSet& s, int event) {
    return CCaseSet(m_p->Image(s.Diagram(), event, true));
}

CCaseSet CSymbolicEngine::PreImage(const CCaseSet& s, const CPNEvent& event) {
    return PreImage(s, m_p->EventAt(event));
}

CCaseSet CSymbolicEngine::PreImage(const CCaseSet& s, int event) {
    return CCaseSet(m_p->Image(s.Diagram(), event, false));
}

CCaseSet CSymbolicEngine::Successors(const CCaseSet& s) {
    return CCaseSet(m_p->Neighbours(s.Diagram(), true));
}

CCaseSet CSymbolicEngine::Predecessors(const CCaseSet& s) {
    return CCaseSet(m_p->Neighbours(s.Diagram(), false));
}

CCaseSet CSymbolicEngine::Reached(const CCaseSet& s) {
    return CCaseSet(CSaturation(m_p->saturationEvents, false).Closure(s.Diagram()));
}

CCaseSet CSymbolicEngine::Reaching(const CCaseSet& s) {
    return CCaseSet(CSaturation(m_p->reversedEvents, false).Closure(s.Diagram()));
}

CCaseSet CSymbolicEngine::ReachingWithin(const CCaseSet& target, const CCaseSet& within) {
    // Breadth first backward from the target, each layer's new cases only.
    bdd reached = target.Diagram(), layer = reached;
    while (layer != bddfalse) {
        layer = (m_p->Neighbours(layer, false) & within.Diagram()) - reached;
        reached |= layer;
    }
    return CCaseSet(reached);
}

std::string CSymbolicEngine::Count(const CCaseSet& s) {
    return m_p->Count(s.Diagram(), m_p->CaseVars());
}

bool CSymbolicEngine::Contains(const CCaseSet& s, const CSetConditions& c) {
    return (s.Diagram() & m_p->Cube(c)) != bddfalse;
}

bool CSymbolicEngine::Contains(const CCaseSet& s, const std::vector<int>& conditions) {
    std::vector<char> held(m_p->nc, 0);
    for (const int b : conditions) {
        if (b < 0 || At(b) >= m_p->nc)
            return false;
        held[At(b)] = 1;
    }
    return m_p->Member(s.Diagram(), held);
}

std::optional<std::vector<int>> CSymbolicEngine::OneCase(const CCaseSet& s) {
    if (s.IsEmpty())
        return std::nullopt;
    return m_p->NumbersOf(bdd_satoneset(s.Diagram(), m_p->xSet, bddfalse));
}

std::optional<CSymbolicEngine::CEventRun> CSymbolicEngine::RunTo(const CCaseSet& target,
                                                                 const RunTick& tick) {
    Impl& d = *m_p;
    const bdd reached = target.Diagram() & d.forward;
    if (reached == bddfalse)
        return std::nullopt;
    Impl::CRings& r = d.forwardRings;
    if (r.rings.empty()) {
        r.rings.push_back(d.initial);
        r.seen = d.initial;
    }
    const int k = d.Grow(r, bddtrue, reached, tick);
    if (k < 0)
        return std::nullopt;
    return d.WalkBack(r, k, bddtrue, reached);
}

std::optional<CSymbolicEngine::CEventRun> CSymbolicEngine::RunFrom(const std::vector<int>& from,
                                                                   const CCaseSet& target,
                                                                   const CCaseSet* within,
                                                                   const RunTick& tick) {
    Impl& d = *m_p;
    const bdd start = d.Cube(from), via = within ? within->Diagram() : bddtrue;
    if (start == bddfalse)
        return std::nullopt;
    Impl::CRings r;
    r.rings.push_back(start);
    r.seen = start;
    const int k = d.Grow(r, via, target.Diagram(), tick);
    if (k < 0)
        return std::nullopt;
    return d.WalkBack(r, k, via, target.Diagram());
}

std::unique_ptr<CSymbolicEngine> CSymbolicEngine::Make(const CNetStructure& net,
                                                       long long memoryLimit,
                                                       const CaseGraphProgress& progress) {
    if (net.EventCount() == 0)
        return nullptr;
    try {
        auto engine = std::make_unique<CSymbolicEngine>(net);
        if (engine->Run(progress, memoryLimit) != ECaseGraphResult::Completed)
            return nullptr;
        return engine;
    } catch (const std::logic_error&) {
        return nullptr; // the library serves another analysis of the process
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
