#include "properties/CCtlEngine.h"

#include "properties/CCheckContext.h"
#include "properties/CExplanationWalk.h"
#include "properties/CStatePredicate.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

using EKind = CFormula::EKind;
using Bits = std::vector<std::uint64_t>;

bool Get(const Bits& b, std::size_t i) {
    return (b[i / 64] >> (i % 64)) & 1u;
}
void Put(Bits& b, std::size_t i) {
    b[i / 64] |= std::uint64_t{1} << (i % 64);
}
void Clear(Bits& b, std::size_t i) {
    b[i / 64] &= ~(std::uint64_t{1} << (i % 64));
}

// The fixpoints and the runs for one batch over the complete space.
class CCtlEvaluation : private CExplanationWalk {
public:
    explicit CCtlEvaluation(CCheckContext& context)
        : m_context(context), m_space(context.CompleteSpace()),
          m_n(static_cast<std::size_t>(m_space.Count())), m_nWords((m_n + 63) / 64) {}

    const Bits& Of(const CFormula& f) {
        const auto it = m_mapSets.find(&f);
        if (it != m_mapSets.end())
            return it->second;
        Bits set = Compute(f);
        return m_mapSets.emplace(&f, std::move(set)).first->second;
    }

    // The run from the initial case that shows f has the value want there, if any.
    std::optional<CRun> Explain(const CFormula& f, bool want) {
        m_arrTrace.assign(1, 0);
        m_nLoop = -1;
        if (!Extend(f, want))
            return std::nullopt;
        return m_space.RunThrough(m_arrTrace, m_nLoop);
    }

private:
    Bits Empty() const { return Bits(m_nWords, 0); }
    Bits Full() const {
        Bits b(m_nWords, ~std::uint64_t{0});
        if (m_n % 64 != 0)
            b.back() = (std::uint64_t{1} << (m_n % 64)) - 1;
        if (m_n == 0)
            b.clear();
        return b;
    }
    Bits Complement(Bits b) const {
        const Bits full = Full();
        for (std::size_t w = 0; w < m_nWords; ++w)
            b[w] = ~b[w] & full[w];
        return b;
    }
    std::span<const std::uint32_t> Succ(std::size_t i) const {
        return m_space.StoredSuccessors(static_cast<int>(i));
    }
    bool IsDeadlock(std::size_t i) const { return Succ(i).empty(); }
    void Tick() {
        m_context.Budget().Tick([this] { return m_context.Bytes(); });
    }

    template <class Visit> void ForEachPredecessor(std::size_t i, Visit visit) {
        const auto& reverse = m_context.Reverse();
        for (std::uint64_t k = reverse.first[i]; k < reverse.first[i + 1]; ++k)
            visit(static_cast<std::size_t>(reverse.cases[k]));
    }

    Bits Compute(const CFormula& f) {
        if (f.IsState()) {
            CStatePredicate p(f, m_space.Net());
            Bits b = Empty();
            for (std::size_t i = 0; i < m_n; ++i)
                if (p.Holds(m_space.Case(static_cast<int>(i))))
                    Put(b, i);
            return b;
        }
        switch (f.Kind()) {
        case EKind::Not:
            return Complement(Of(*f.Operand()));
        case EKind::And:
        case EKind::Or: {
            Bits b = Of(*f.Operand(0));
            for (std::size_t k = 1; k < f.Operands().size(); ++k) {
                const Bits& o = Of(*f.Operand(k));
                for (std::size_t w = 0; w < m_nWords; ++w)
                    b[w] = f.Kind() == EKind::And ? b[w] & o[w] : b[w] | o[w];
            }
            return b;
        }
        case EKind::Implies:
        case EKind::Iff: {
            Bits b = Of(*f.Operand(0));
            const Bits& o = Of(*f.Operand(1));
            const Bits full = Full();
            for (std::size_t w = 0; w < m_nWords; ++w)
                b[w] = (f.Kind() == EKind::Implies ? ~b[w] | o[w] : ~(b[w] ^ o[w])) & full[w];
            return b;
        }
        case EKind::EX:
        case EKind::AX:
            return Next(Of(*f.Operand()), f.Kind() == EKind::AX);
        case EKind::EF:
            return ExistsUntil(Full(), Of(*f.Operand()));
        case EKind::AG:
            return Complement(ExistsUntil(Full(), Complement(Of(*f.Operand()))));
        case EKind::EU:
            return ExistsUntil(Of(*f.Operand(0)), Of(*f.Operand(1)));
        case EKind::AF:
            return AllUntil(Full(), Of(*f.Operand()));
        case EKind::AU:
            return AllUntil(Of(*f.Operand(0)), Of(*f.Operand(1)));
        case EKind::EG:
            return ExistsGlobally(Of(*f.Operand()));
        default:
            return Empty();
        }
    }

    Bits Next(const Bits& p, bool all) {
        Bits b = Empty();
        for (std::size_t i = 0; i < m_n; ++i) {
            const auto succ = Succ(i);
            bool value = all;
            for (std::uint32_t j : succ)
                if (Get(p, j) != all) {
                    value = !all;
                    break;
                }
            if (all ? value : value && !succ.empty())
                Put(b, i);
        }
        return b;
    }

    // Least fixpoint Z = q | (p & EX Z): backwards from q through p.
    Bits ExistsUntil(const Bits& p, const Bits& q) {
        Bits z = q;
        std::vector<std::uint32_t> queue;
        for (std::size_t i = 0; i < m_n; ++i)
            if (Get(q, i))
                queue.push_back(static_cast<std::uint32_t>(i));
        while (!queue.empty()) {
            const std::size_t t = queue.back();
            queue.pop_back();
            Tick();
            ForEachPredecessor(t, [&](std::size_t s) {
                if (!Get(z, s) && Get(p, s)) {
                    Put(z, s);
                    queue.push_back(static_cast<std::uint32_t>(s));
                }
            });
        }
        return z;
    }

    // Least fixpoint Z = q | (p & !deadlock & AX Z): a case joins once all its steps lead
    // into Z.
    Bits AllUntil(const Bits& p, const Bits& q) {
        Bits z = q;
        std::vector<std::uint32_t> left(m_n);
        std::vector<std::uint32_t> queue;
        for (std::size_t i = 0; i < m_n; ++i) {
            left[i] = static_cast<std::uint32_t>(Succ(i).size());
            if (Get(q, i))
                queue.push_back(static_cast<std::uint32_t>(i));
        }
        while (!queue.empty()) {
            const std::size_t t = queue.back();
            queue.pop_back();
            Tick();
            ForEachPredecessor(t, [&](std::size_t s) {
                if (Get(z, s) || --left[s] != 0 || !Get(p, s))
                    return;
                Put(z, s);
                queue.push_back(static_cast<std::uint32_t>(s));
            });
        }
        return z;
    }

    // Greatest fixpoint Z = p & (deadlock | EX Z): cases of p leave once none of their
    // steps stays in Z.
    Bits ExistsGlobally(const Bits& p) {
        Bits z = p;
        std::vector<std::uint32_t> inside(m_n, 0);
        std::vector<std::uint32_t> queue;
        for (std::size_t i = 0; i < m_n; ++i) {
            if (!Get(p, i))
                continue;
            for (std::uint32_t j : Succ(i))
                inside[i] += Get(p, j) ? 1 : 0;
            if (inside[i] == 0 && !IsDeadlock(i)) {
                Clear(z, i);
                queue.push_back(static_cast<std::uint32_t>(i));
            }
        }
        while (!queue.empty()) {
            const std::size_t t = queue.back();
            queue.pop_back();
            Tick();
            ForEachPredecessor(t, [&](std::size_t s) {
                if (Get(z, s) && --inside[s] == 0) {
                    Clear(z, s);
                    queue.push_back(static_cast<std::uint32_t>(s));
                }
            });
        }
        return z;
    }

    // Breadth first from the trace's last case through cases of via to one of target;
    // appends the path and returns true, or false when there is none.
    bool PathTo(const Bits* via, const Bits& target) {
        const auto start = static_cast<std::uint32_t>(m_arrTrace.back());
        if (Get(target, start))
            return true;
        if (std::all_of(target.begin(), target.end(), [](std::uint64_t w) { return w == 0; }))
            return false;
        // The parents of the cases met, kept from one search to the next; the queue is
        // the list of those met, to be cleared after.
        constexpr std::uint32_t kUnmet = 0xffffffffu;
        m_arrParent.resize(m_n, kUnmet);
        std::vector<std::uint32_t> met{start};
        m_arrParent[start] = start;
        bool found = false;
        for (std::size_t head = 0; head < met.size() && !found; ++head) {
            const std::uint32_t s = met[head];
            if (via && !Get(*via, s))
                continue;
            for (std::uint32_t t : Succ(s)) {
                if (m_arrParent[t] != kUnmet)
                    continue;
                m_arrParent[t] = s;
                met.push_back(t);
                if (Get(target, t)) {
                    std::vector<int> path;
                    for (std::uint32_t c = t; c != start; c = m_arrParent[c])
                        path.push_back(static_cast<int>(c));
                    m_arrTrace.insert(m_arrTrace.end(), path.rbegin(), path.rend());
                    found = true;
                    break;
                }
            }
        }
        for (std::uint32_t c : met)
            m_arrParent[c] = kUnmet;
        return found;
    }

    // A maximal run inside the set (an EG set: each of its cases a deadlock or with a step
    // into it): to a deadlock, or round to a case met before.
    void WalkInside(const Bits& set) {
        std::unordered_map<int, std::size_t> seen;
        for (;;) {
            const int s = m_arrTrace.back();
            seen.emplace(s, m_arrTrace.size() - 1);
            const auto succ = Succ(static_cast<std::size_t>(s));
            if (succ.empty())
                return;
            int next = -1;
            for (std::uint32_t t : succ)
                if (Get(set, t)) {
                    next = static_cast<int>(t);
                    break;
                }
            m_arrTrace.push_back(next);
            const auto it = seen.find(next);
            if (it != seen.end()) {
                m_nLoop = static_cast<long>(it->second);
                return;
            }
        }
    }

    bool Shows(const CFormula& f, bool want) override {
        return Get(Of(f), static_cast<std::size_t>(m_arrTrace.back())) == want;
    }

    bool Step(const CFormula& f, bool want) override {
        const Bits& p = Of(*f.Operand());
        for (std::uint32_t t : Succ(static_cast<std::size_t>(m_arrTrace.back())))
            if (Get(p, t) == want) {
                m_arrTrace.push_back(static_cast<int>(t));
                return true;
            }
        return false;
    }

    bool Reach(const CFormula& f, bool want) override {
        return PathTo(nullptr, want ? Of(*f.Operand()) : Complement(Of(*f.Operand())));
    }

    bool ReachUntil(const CFormula& f) override {
        return PathTo(&Of(*f.Operand(0)), Of(*f.Operand(1)));
    }

    // EG by a maximal run inside its cases; AF and AU refuted by a run to a case of
    // !p & !q through !q, or else by a maximal run that keeps !q.
    bool ExtendOther(const CFormula& f, bool want) override {
        switch (f.Kind()) {
        case EKind::EG:
            if (!want)
                return false;
            WalkInside(Of(f));
            return true;
        case EKind::AF:
        case EKind::AU: {
            if (want)
                return false;
            const Bits notQ = Complement(Of(*f.Operands().back()));
            Bits p = f.Kind() == EKind::AU ? Of(*f.Operand(0)) : Full();
            Bits stop = Complement(p), via = p;
            for (std::size_t w = 0; w < m_nWords; ++w) {
                stop[w] &= notQ[w];
                via[w] &= notQ[w];
            }
            if (PathTo(&via, stop))
                return true;
            WalkInside(ExistsGlobally(via));
            return true;
        }
        default:
            return false;
        }
    }

    CCheckContext& m_context;
    CCaseSpace& m_space;
    std::size_t m_n;
    std::size_t m_nWords;
    std::map<const CFormula*, Bits> m_mapSets;
    std::vector<int> m_arrTrace;
    long m_nLoop = -1;
    std::vector<std::uint32_t> m_arrParent;
};

bool IsLtlOrBound(const CFormula& f) {
    return f.Kind() == EKind::PathA || f.Kind() == EKind::PathE || f.IsPathOperator() ||
           f.Kind() == EKind::Bound;
}

} // namespace

bool CCtlEngine::Accepts(const CFormula& formula) const {
    return !formula.Contains(IsLtlOrBound);
}

void CCtlEngine::Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
                       const std::vector<CPropertyResult*>& results) {
    CCtlEvaluation evaluation(context);
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const CFormula& f = *properties[i]->formula;
        const bool value = Get(evaluation.Of(f), 0);
        CPropertyResult& result = *results[i];
        result.verdict = value ? EVerdict::True : EVerdict::False;
        result.run = evaluation.Explain(f, value);
        result.techniques = Techniques();
        result.seconds = context.Budget().Elapsed();
    }
}
