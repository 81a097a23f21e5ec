#include "structure/CFarkasElimination.h"

#include "structure/CWorkMeter.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>

CFarkasElimination::CFarkasElimination(const CSemiflowSystem& system, std::size_t rowLimit,
                                       std::size_t pairLimit)
    : m_system(system), m_nRowLimit(rowLimit), m_nPairLimit(pairLimit) {
    m_arrPositive.assign(static_cast<std::size_t>(system.constraints), 0);
    m_arrNegative.assign(static_cast<std::size_t>(system.constraints), 0);
}

void CFarkasElimination::Start(const std::vector<int>& universe) {
    m_arrUniverse = universe;
    m_nWords = (universe.size() + 63) / 64;
    m_nPairs = 0;
    m_rows.clear();
    m_arrResult.clear();
    m_arrBits.assign(universe.size() * m_nWords, 0);
    m_arrCounts.assign(universe.size(), 1);
    for (std::size_t i = 0; i < universe.size(); ++i) {
        Row row;
        for (const auto& [constraint, value] :
             m_system.columns[static_cast<std::size_t>(universe[i])])
            row.residue.push_back({constraint, value});
        row.weights.push_back({static_cast<int>(i), 1});
        m_rows.push_back(std::move(row));
        m_arrBits[i * m_nWords + i / 64] |= std::uint64_t{1} << (i % 64);
    }
}

std::int64_t CFarkasElimination::ValueAt(const Row& row, int constraint) {
    auto it = std::lower_bound(row.residue.begin(), row.residue.end(), constraint,
                               [](const Entry& e, int c) { return e.index < c; });
    return it != row.residue.end() && it->index == constraint ? it->value : 0;
}

int CFarkasElimination::ChooseConstraint() {
    for (int c : m_arrTouched)
        m_arrPositive[static_cast<std::size_t>(c)] = m_arrNegative[static_cast<std::size_t>(c)] = 0;
    m_arrTouched.clear();
    for (const Row& row : m_rows)
        for (const Entry& e : row.residue) {
            const auto c = static_cast<std::size_t>(e.index);
            if (m_arrPositive[c] == 0 && m_arrNegative[c] == 0)
                m_arrTouched.push_back(e.index);
            ++(e.value > 0 ? m_arrPositive[c] : m_arrNegative[c]);
        }
    // The fewest rows made: every pair of a positive and a negative row less the rows
    // replaced. Ties go to the lowest constraint, so that a run is reproducible.
    int best = -1;
    long long bestGrowth = std::numeric_limits<long long>::max();
    for (int c : m_arrTouched) {
        const long long p = m_arrPositive[static_cast<std::size_t>(c)];
        const long long n = m_arrNegative[static_cast<std::size_t>(c)];
        const long long growth = p * n - p - n;
        if (growth < bestGrowth || (growth == bestGrowth && c < best)) {
            bestGrowth = growth;
            best = c;
        }
    }
    return best;
}

CFarkasElimination::EOutcome CFarkasElimination::Run(const std::vector<int>& universe,
                                                     CWorkMeter& meter) {
    Start(universe);
    for (std::size_t eliminated = 1;; ++eliminated) {
        const int constraint = ChooseConstraint();
        if (constraint < 0)
            break;
        const EOutcome outcome = Eliminate(constraint, eliminated, meter);
        if (outcome != EOutcome::Done)
            return outcome;
    }
    for (const Row& row : m_rows) {
        CSemiflow semiflow;
        for (const Entry& w : row.weights) {
            semiflow.support.push_back(m_arrUniverse[static_cast<std::size_t>(w.index)]);
            semiflow.weights.push_back(w.value);
        }
        m_arrResult.push_back(std::move(semiflow));
    }
    return EOutcome::Done;
}

void CFarkasElimination::IndexHolders() {
    m_bIndexed = true;
    m_arrBySize.resize(m_rows.size());
    std::iota(m_arrBySize.begin(), m_arrBySize.end(), std::size_t{0});
    std::stable_sort(m_arrBySize.begin(), m_arrBySize.end(), [this](std::size_t x, std::size_t y) {
        return m_arrCounts[x] < m_arrCounts[y];
    });
    m_nLastDominating = m_rows.size();
    const std::size_t n = m_arrUniverse.size();
    m_arrHolderStart.assign(n + 1, 0);
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        for (const Entry& w : m_rows[r].weights)
            ++m_arrHolderStart[static_cast<std::size_t>(w.index) + 1];
    for (std::size_t v = 0; v < n; ++v)
        m_arrHolderStart[v + 1] += m_arrHolderStart[v];
    m_arrHolders.resize(m_arrHolderStart[n]);
    std::vector<std::size_t> next(m_arrHolderStart.begin(), m_arrHolderStart.end() - 1);
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        for (const Entry& w : m_rows[r].weights)
            m_arrHolders[next[static_cast<std::size_t>(w.index)]++] = r;
    m_arrSeen.assign(m_rows.size(), 0);
    m_nEpoch = 0;
}

bool CFarkasElimination::Dominated(const std::uint64_t* bits, int count, std::size_t p,
                                   std::size_t q) {
    // The index costs about as much as a few dozen plain passes over the rows.
    if (!m_bIndexed && ++m_nPlainPasses > kPlainPasses)
        IndexHolders();
    auto within = [&](std::size_t r) {
        const std::uint64_t* other = &m_arrBits[r * m_nWords];
        for (std::size_t w = 0; w < m_nWords; ++w)
            if (other[w] & ~bits[w])
                return false;
        return true;
    };
    auto dominates = [&](std::size_t r) {
        if (r == p || r == q || m_arrCounts[r] > count || !within(r))
            return false;
        m_nLastDominating = r;
        return true;
    };
    const std::size_t last = m_nLastDominating;
    if (last < m_rows.size() && dominates(last))
        return true;
    if (!m_bIndexed) {
        for (std::size_t r = 0; r < m_rows.size(); ++r)
            if (dominates(r))
                return true;
        return false;
    }
    // A row within the union of p and q lies neither within p nor within q (no support
    // of an extreme ray holds another's): it holds an element of p that q lacks and one
    // of q that p lacks. The rows holding the elements of the smaller difference are the
    // only ones to try, unless they are more than all rows.
    const std::uint64_t* x = &m_arrBits[p * m_nWords];
    const std::uint64_t* y = &m_arrBits[q * m_nWords];
    int onlyX = 0, onlyY = 0;
    for (std::size_t w = 0; w < m_nWords; ++w) {
        onlyX += std::popcount(x[w] & ~y[w]);
        onlyY += std::popcount(y[w] & ~x[w]);
    }
    if (onlyY < onlyX)
        std::swap(x, y);
    std::size_t holders = 0;
    for (std::size_t w = 0; w < m_nWords; ++w)
        for (std::uint64_t d = x[w] & ~y[w]; d != 0; d &= d - 1) {
            const std::size_t v = w * 64 + static_cast<std::size_t>(std::countr_zero(d));
            holders += m_arrHolderStart[v + 1] - m_arrHolderStart[v];
        }
    if (holders >= m_rows.size()) {
        for (std::size_t r : m_arrBySize) {
            if (m_arrCounts[r] > count)
                break;
            if (dominates(r))
                return true;
        }
        return false;
    }
    ++m_nEpoch;
    for (std::size_t w = 0; w < m_nWords; ++w)
        for (std::uint64_t d = x[w] & ~y[w]; d != 0; d &= d - 1) {
            const std::size_t v = w * 64 + static_cast<std::size_t>(std::countr_zero(d));
            for (std::size_t k = m_arrHolderStart[v]; k < m_arrHolderStart[v + 1]; ++k) {
                const std::size_t r = m_arrHolders[k];
                if (m_arrSeen[r] != m_nEpoch) {
                    m_arrSeen[r] = m_nEpoch;
                    if (dominates(r))
                        return true;
                }
            }
        }
    return false;
}

namespace {

// a * x + b * y into out, false on overflow.
bool MulAdd(std::int64_t a, std::int64_t x, std::int64_t b, std::int64_t y, std::int64_t& out) {
    std::int64_t ax = 0, by = 0;
    return !__builtin_mul_overflow(a, x, &ax) && !__builtin_mul_overflow(b, y, &by) &&
           !__builtin_add_overflow(ax, by, &out);
}

} // namespace

bool CFarkasElimination::Combine(const Row& p, std::int64_t a, const Row& q, std::int64_t b,
                                 Row& out) const {
    // Sparse a * x + b * y, zeros dropped.
    auto merge = [a, b](const std::vector<Entry>& x, const std::vector<Entry>& y,
                        std::vector<Entry>& to) {
        to.clear();
        auto i = x.begin(), j = y.begin();
        while (i != x.end() || j != y.end()) {
            Entry e{0, 0};
            if (j == y.end() || (i != x.end() && i->index < j->index)) {
                e.index = i->index;
                if (!MulAdd(a, i->value, 0, 0, e.value))
                    return false;
                ++i;
            } else if (i == x.end() || j->index < i->index) {
                e.index = j->index;
                if (!MulAdd(0, 0, b, j->value, e.value))
                    return false;
                ++j;
            } else {
                e.index = i->index;
                if (!MulAdd(a, i->value, b, j->value, e.value))
                    return false;
                ++i;
                ++j;
            }
            if (e.value != 0)
                to.push_back(e);
        }
        return true;
    };
    if (!merge(p.weights, q.weights, out.weights) || !merge(p.residue, q.residue, out.residue))
        return false;
    std::int64_t divisor = 0;
    for (const Entry& w : out.weights)
        divisor = std::gcd(divisor, w.value);
    if (divisor > 1) {
        for (Entry& w : out.weights)
            w.value /= divisor;
        for (Entry& r : out.residue)
            r.value /= divisor;
    }
    return true;
}

CFarkasElimination::EOutcome CFarkasElimination::Eliminate(int constraint, std::size_t eliminated,
                                                           CWorkMeter& meter) {
    std::vector<std::size_t> positive, negative;
    std::vector<std::uint8_t> zero(m_rows.size(), 0);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const std::int64_t v = ValueAt(m_rows[r], constraint);
        if (v == 0)
            zero[r] = 1;
        else
            (v > 0 ? positive : negative).push_back(r);
    }
    const std::size_t kept = m_rows.size() - positive.size() - negative.size();
    std::vector<Row> made;
    std::vector<std::uint64_t> madeBits;
    std::vector<int> madeCounts;
    if (!positive.empty() && !negative.empty()) {
        m_arrBySize.resize(m_rows.size());
        std::iota(m_arrBySize.begin(), m_arrBySize.end(), std::size_t{0});
        std::stable_sort(
            m_arrBySize.begin(), m_arrBySize.end(),
            [this](std::size_t x, std::size_t y) { return m_arrCounts[x] < m_arrCounts[y]; });
        m_nLastDominating = m_rows.size();
        IndexHolders();
        // A minimal support has at most one element more than the rank of the
        // constraints it satisfies.
        const auto largest =
            static_cast<int>(std::min<std::size_t>(eliminated + 1, m_arrUniverse.size()));
        std::vector<std::uint64_t> unite(m_nWords);
        Row combined;
        for (std::size_t p : positive)
            for (std::size_t q : negative) {
                if (++m_nPairs > m_nPairLimit)
                    return EOutcome::OverBudget;
                if (!meter.Tick())
                    return EOutcome::Cancelled;
                int count = 0;
                for (std::size_t w = 0; w < m_nWords; ++w) {
                    unite[w] = m_arrBits[p * m_nWords + w] | m_arrBits[q * m_nWords + w];
                    count += std::popcount(unite[w]);
                }
                if (count > largest || Dominated(unite.data(), count, p, q))
                    continue;
                std::int64_t a = -ValueAt(m_rows[q], constraint);
                std::int64_t b = ValueAt(m_rows[p], constraint);
                const std::int64_t common = std::gcd(a, b);
                if (!Combine(m_rows[p], a / common, m_rows[q], b / common, combined))
                    return EOutcome::Overflow;
                if (kept + made.size() >= m_nRowLimit)
                    return EOutcome::OverBudget;
                made.push_back(combined);
                madeBits.insert(madeBits.end(), unite.begin(), unite.end());
                madeCounts.push_back(count);
            }
    }
    // The rows zero here stay, in their order, the combinations after them.
    std::size_t to = 0;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (!zero[r])
            continue;
        if (to != r) {
            m_rows[to] = std::move(m_rows[r]);
            std::copy_n(m_arrBits.begin() + static_cast<std::ptrdiff_t>(r * m_nWords), m_nWords,
                        m_arrBits.begin() + static_cast<std::ptrdiff_t>(to * m_nWords));
            m_arrCounts[to] = m_arrCounts[r];
        }
        ++to;
    }
    m_rows.resize(to);
    m_arrBits.resize(to * m_nWords);
    m_arrCounts.resize(to);
    std::move(made.begin(), made.end(), std::back_inserter(m_rows));
    m_arrBits.insert(m_arrBits.end(), madeBits.begin(), madeBits.end());
    m_arrCounts.insert(m_arrCounts.end(), madeCounts.begin(), madeCounts.end());
    return EOutcome::Done;
}
