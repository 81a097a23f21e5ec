#include "engines/CCaseCode.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <numeric>

namespace {

using Word = CCaseCode::Word;
// The products of the elimination before they are reduced. (A compiler extension.)
__extension__ typedef __int128 Int128;

bool Bit(const Word* words, int bit) {
    return (words[bit / 64] >> (bit % 64)) & 1u;
}

void SetBit(Word* words, int bit) {
    words[bit / 64] |= Word{1} << (bit % 64);
}

// An exact fraction; the elimination gives up past kLimit rather than overflow.
struct CFraction {
    long long num = 0;
    long long den = 1;
};

constexpr long long kLimit = 1LL << 40;

bool Make(Int128 num, Int128 den, CFraction& out) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Int128 a = num < 0 ? -num : num, b = den;
    while (b != 0) {
        const Int128 t = a % b;
        a = b;
        b = t;
    }
    if (a > 1) {
        num /= a;
        den /= a;
    }
    if (num > kLimit || num < -kLimit || den > kLimit)
        return false;
    out = {static_cast<long long>(num), static_cast<long long>(den)};
    return true;
}

// a - f * b
bool SubtractTimes(const CFraction& a, const CFraction& f, const CFraction& b, CFraction& out) {
    const Int128 num =
        static_cast<Int128>(a.num) * f.den * b.den - static_cast<Int128>(f.num) * b.num * a.den;
    return Make(num, static_cast<Int128>(a.den) * f.den * b.den, out);
}

} // namespace

CCaseCode::CCaseCode(int conditions, int events, int words, const std::vector<Word>& pre,
                     const std::vector<Word>& post, const std::vector<Word>& initial)
    : m_nWords(std::max(1, words)) {
    if (static_cast<long long>(conditions) * events <= kLargestNet &&
        FindBasis(conditions, events, pre, post, initial) &&
        static_cast<int>(m_arrBasis.size()) < conditions) {
        m_bIdentity = false;
    } else {
        m_arrBasis.resize(static_cast<std::size_t>(conditions));
        std::iota(m_arrBasis.begin(), m_arrBasis.end(), 0);
        m_arrDependents.clear();
        m_arrTerms.clear();
    }
    m_nKeyWords =
        m_bIdentity ? m_nWords : std::max(1, (static_cast<int>(m_arrBasis.size()) + 63) / 64);
    if (!m_bIdentity)
        MakeByteTables();
    // Each event toggles its pre- and post-set.
    const std::size_t kw = static_cast<std::size_t>(m_nKeyWords);
    m_arrFlip.assign(static_cast<std::size_t>(events) * kw, 0);
    std::vector<Word> toggled(static_cast<std::size_t>(m_nWords));
    for (int e = 0; e < events; ++e) {
        for (int w = 0; w < m_nWords; ++w) {
            const std::size_t at =
                static_cast<std::size_t>(e) * static_cast<std::size_t>(m_nWords) +
                static_cast<std::size_t>(w);
            toggled[static_cast<std::size_t>(w)] = pre[at] | post[at];
        }
        Encode(toggled.data(), m_arrFlip.data() + static_cast<std::size_t>(e) * kw);
    }
}

bool CCaseCode::FindBasis(int conditions, int events, const std::vector<Word>& pre,
                          const std::vector<Word>& post, const std::vector<Word>& initial) {
    const auto E = static_cast<std::size_t>(events);
    const auto W = static_cast<std::size_t>(m_nWords);
    // The rows in echelon form, each with its pivot and what it is of the basis' rows.
    struct CRow {
        std::size_t pivot;
        std::vector<CFraction> values;
        std::vector<CFraction> of; // by position in the basis
    };
    std::vector<CRow> echelon;
    std::vector<std::vector<CFraction>> dependents; // per dependent condition, of the basis
    std::vector<int> dependentConditions;
    for (int j = 0; j < conditions; ++j) {
        std::vector<CFraction> v(E);
        for (std::size_t e = 0; e < E; ++e)
            v[e].num = (Bit(post.data() + e * W, j) ? 1 : 0) - (Bit(pre.data() + e * W, j) ? 1 : 0);
        std::vector<CFraction> x(m_arrBasis.size());
        for (const CRow& row : echelon) {
            if (v[row.pivot].num == 0)
                continue;
            CFraction f;
            if (!Make(static_cast<Int128>(v[row.pivot].num) * row.values[row.pivot].den,
                      static_cast<Int128>(v[row.pivot].den) * row.values[row.pivot].num, f))
                return false;
            for (std::size_t e = row.pivot; e < E; ++e)
                if (row.values[e].num != 0 && !SubtractTimes(v[e], f, row.values[e], v[e]))
                    return false;
            for (std::size_t k = 0; k < row.of.size(); ++k)
                if (row.of[k].num != 0 &&
                    !SubtractTimes(x[k], CFraction{-f.num, f.den}, row.of[k], x[k]))
                    return false;
        }
        const auto pivot = static_cast<std::size_t>(
            std::find_if(v.begin(), v.end(), [](const CFraction& f) { return f.num != 0; }) -
            v.begin());
        if (pivot == E) {
            dependentConditions.push_back(j);
            dependents.push_back(std::move(x));
            continue;
        }
        // A new condition of the basis: its row less what was taken away.
        CRow row{pivot, std::move(v), std::vector<CFraction>(m_arrBasis.size() + 1)};
        for (std::size_t k = 0; k < x.size(); ++k)
            row.of[k] = {-x[k].num, x[k].den};
        row.of.back() = {1, 1};
        echelon.push_back(std::move(row));
        m_arrBasis.push_back(j);
    }
    // value(j) = initial(j) + sum of x_k * (bit_k - initial(basis_k)), over a common
    // divisor.
    for (std::size_t d = 0; d < dependents.size(); ++d) {
        const std::vector<CFraction>& x = dependents[d];
        long long divisor = 1;
        for (const CFraction& f : x)
            if (f.num != 0) {
                divisor = std::lcm(divisor, f.den);
                if (divisor > kLimit)
                    return false;
            }
        const int j = dependentConditions[d];
        CDependent dependent{j, divisor, Bit(initial.data(), j) ? divisor : 0,
                             static_cast<std::uint32_t>(m_arrTerms.size()), 0};
        for (std::size_t k = 0; k < x.size(); ++k) {
            if (x[k].num == 0)
                continue;
            const long long factor = x[k].num * (divisor / x[k].den);
            if (Bit(initial.data(), m_arrBasis[k]))
                dependent.constant -= factor;
            m_arrTerms.push_back({static_cast<std::uint32_t>(k / 64), Word{1} << (k % 64), factor});
            ++dependent.count;
        }
        m_arrDependents.push_back(dependent);
    }
    return true;
}

void CCaseCode::MakeByteTables() {
    // Every sum, and every part of one, stays within a signed byte: the bytes' sums
    // wrap around only where the whole would.
    for (const CDependent& d : m_arrDependents) {
        long long reach = std::abs(d.constant) + std::abs(d.divisor);
        for (std::uint32_t t = d.first; t < d.first + d.count; ++t)
            reach += std::abs(m_arrTerms[t].factor);
        if (reach > 100)
            return;
    }
    m_nKeyBytes = (static_cast<int>(m_arrBasis.size()) + 7) / 8;
    m_nSums = (m_arrDependents.size() + 15) / 16 * 16;
    const auto bytes = static_cast<std::size_t>(m_nKeyBytes);
    const auto W = static_cast<std::size_t>(m_nWords);
    if (m_nSums > kMaxSums || bytes * 256 * (W * sizeof(Word) + m_nSums) > kMaxTableBytes)
        return;
    // Per bit of the key, what it adds to which sums.
    std::vector<std::vector<std::pair<std::size_t, long long>>> adds(m_arrBasis.size());
    for (std::size_t d = 0; d < m_arrDependents.size(); ++d) {
        const CDependent& dep = m_arrDependents[d];
        for (std::uint32_t t = dep.first; t < dep.first + dep.count; ++t)
            adds[m_arrTerms[t].word * 64 +
                 static_cast<std::size_t>(std::countr_zero(m_arrTerms[t].mask))]
                .emplace_back(d, m_arrTerms[t].factor);
    }
    m_arrByteBits.assign(bytes * 256 * W, 0);
    m_arrByteSums.assign(bytes * 256 * m_nSums, 0);
    m_arrSumBase.assign(m_nSums, 0);
    m_arrSumMatch.assign(m_nSums, -128);
    for (std::size_t d = 0; d < m_arrDependents.size(); ++d) {
        m_arrSumBase[d] = static_cast<std::int8_t>(m_arrDependents[d].constant);
        m_arrSumMatch[d] = static_cast<std::int8_t>(m_arrDependents[d].divisor);
    }
    for (std::size_t b = 0; b < bytes; ++b)
        for (std::size_t v = 0; v < 256; ++v) {
            Word* bits = m_arrByteBits.data() + (b * 256 + v) * W;
            std::int8_t* sums = m_arrByteSums.data() + (b * 256 + v) * m_nSums;
            for (std::size_t i = 0; i < 8; ++i) {
                const std::size_t k = b * 8 + i;
                if (!((v >> i) & 1) || k >= m_arrBasis.size())
                    continue;
                SetBit(bits, m_arrBasis[k]);
                for (const auto& [d, factor] : adds[k])
                    sums[d] = static_cast<std::int8_t>(sums[d] + factor);
            }
        }
    m_bByteTables = true;
}

void CCaseCode::Encode(const Word* c, Word* key) const {
    if (m_bIdentity) {
        std::copy_n(c, m_nWords, key);
        return;
    }
    std::fill_n(key, m_nKeyWords, Word{0});
    for (std::size_t k = 0; k < m_arrBasis.size(); ++k)
        if (Bit(c, m_arrBasis[k]))
            SetBit(key, static_cast<int>(k));
}

void CCaseCode::Decode(const Word* key, Word* c) const {
    if (m_bIdentity) {
        std::copy_n(key, m_nWords, c);
        return;
    }
    std::fill_n(c, m_nWords, Word{0});
    if (m_bByteTables) {
        const auto W = static_cast<std::size_t>(m_nWords);
        std::int8_t sums[kMaxSums];
        const std::size_t n = m_nSums;
        {
            std::copy_n(m_arrSumBase.data(), n, sums);
            for (int b = 0; b < m_nKeyBytes; ++b) {
                const auto v = static_cast<std::size_t>((key[b / 8] >> (8 * (b % 8))) & 0xff);
                const std::size_t row = static_cast<std::size_t>(b) * 256 + v;
                const Word* bits = m_arrByteBits.data() + row * W;
                for (std::size_t w = 0; w < W; ++w)
                    c[w] |= bits[w];
                const std::int8_t* add = m_arrByteSums.data() + row * n;
                for (std::size_t d = 0; d < n; ++d)
                    sums[d] = static_cast<std::int8_t>(sums[d] + add[d]);
            }
            for (std::size_t d = 0; d < m_arrDependents.size(); ++d)
                if (sums[d] == m_arrSumMatch[d])
                    SetBit(c, m_arrDependents[d].condition);
            return;
        }
    }
    for (int w = 0; w < m_nKeyWords; ++w)
        for (Word bits = key[w]; bits != 0; bits &= bits - 1)
            SetBit(c, m_arrBasis[static_cast<std::size_t>(w * 64 + std::countr_zero(bits))]);
    const CTerm* terms = m_arrTerms.data();
    for (const CDependent& d : m_arrDependents) {
        long long sum = d.constant;
        for (const CTerm* t = terms + d.first; t != terms + d.first + d.count; ++t)
            sum += (key[t->word] & t->mask) != 0 ? t->factor : 0;
        if (sum == d.divisor)
            SetBit(c, d.condition);
    }
}
