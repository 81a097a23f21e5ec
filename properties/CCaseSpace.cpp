#include "properties/CCaseSpace.h"

#include "base/WordHash.h"

#include <algorithm>

namespace {

bool Same(const CCaseSpace::Word* a, const CCaseSpace::Word* b, int words) {
    for (int w = 0; w < words; ++w)
        if (a[w] != b[w])
            return false;
    return true;
}

} // namespace

CCaseSpace::CCaseSpace(const CCompactNet& net, bool keepSteps)
    : m_net(net), m_bKeepSteps(keepSteps), m_arrTable(1024),
      m_arrScratch(static_cast<std::size_t>(net.Words())) {
    Intern(net.Initial(), Hash(net.Initial()), -1, -1);
}

std::uint64_t CCaseSpace::Hash(const Word* c) const {
    return HashWords(c, static_cast<std::size_t>(m_net.Words()));
}

// A slot keeps the case's key: the case itself where it is one word (no need to read
// the case to compare), its hash otherwise (the case is read only when the hashes meet).
std::size_t CCaseSpace::Lookup(const Word* c, std::uint64_t hash, std::uint64_t& key) const {
    key = m_net.Words() == 1 ? c[0] : hash;
    const std::size_t mask = m_arrTable.size() - 1;
    for (std::size_t slot = static_cast<std::size_t>(hash) & mask;; slot = (slot + 1) & mask) {
        const Slot& s = m_arrTable[slot];
        if (s.id == 0 ||
            (s.key == key &&
             (m_net.Words() == 1 || Same(Case(static_cast<int>(s.id - 1)), c, m_net.Words()))))
            return slot;
    }
}

int CCaseSpace::Find(const Word* c) const {
    std::uint64_t key = 0;
    return static_cast<int>(m_arrTable[Lookup(c, Hash(c), key)].id) - 1;
}

void CCaseSpace::Grow() {
    std::vector<Slot> table(m_arrTable.size() * 2);
    const std::size_t mask = table.size() - 1;
    for (int i = 0; i < m_nCases; ++i) {
        const std::uint64_t hash = Hash(Case(i));
        std::size_t slot = static_cast<std::size_t>(hash) & mask;
        while (table[slot].id != 0)
            slot = (slot + 1) & mask;
        table[slot] =
            Slot{m_net.Words() == 1 ? Case(i)[0] : hash, static_cast<std::uint32_t>(i + 1)};
    }
    m_arrTable.swap(table);
}

int CCaseSpace::Intern(const Word* c, std::uint64_t hash, int parent, int event) {
    std::uint64_t key = 0;
    const std::size_t slot = Lookup(c, hash, key);
    if (m_arrTable[slot].id != 0)
        return static_cast<int>(m_arrTable[slot].id - 1);
    const int index = m_nCases++;
    m_arrWords.insert(m_arrWords.end(), c, c + m_net.Words());
    m_arrParent.push_back(parent);
    m_arrParentEvent.push_back(event);
    if (m_bKeepSteps) {
        m_arrFirst.push_back(0);
        m_arrDegree.push_back(kUnexpanded);
    }
    m_arrTable[slot] = Slot{key, static_cast<std::uint32_t>(index + 1)};
    if (2 * Index(m_nCases) > m_arrTable.size())
        Grow();
    return index;
}

bool CCaseSpace::IsExpanded(int i) const {
    return m_bKeepSteps ? m_arrDegree[Index(i)] != kUnexpanded : i < m_nNext;
}

void CCaseSpace::Expand(int i) {
    // The successors first, each with its hash and its slot fetched ahead, so that the
    // table's cache misses overlap; the case is copied, since finding new cases moves
    // the array.
    const auto words = Index(m_net.Words());
    std::copy(Case(i), Case(i) + m_net.Words(), m_arrScratch.begin());
    m_arrNext.clear();
    m_arrNextEvents.clear();
    m_arrNextHashes.clear();
    for (int e = 0; e < m_net.EventCount(); ++e) {
        if (!m_net.HasConcession(m_arrScratch.data(), e))
            continue;
        m_arrNext.resize(m_arrNext.size() + words);
        Word* next = m_arrNext.data() + m_arrNext.size() - words;
        m_net.Fire(m_arrScratch.data(), e, next);
        const std::uint64_t hash = Hash(next);
        __builtin_prefetch(&m_arrTable[static_cast<std::size_t>(hash) & (m_arrTable.size() - 1)]);
        m_arrNextEvents.push_back(e);
        m_arrNextHashes.push_back(hash);
    }
    const std::uint64_t first = m_arrSteps.size();
    for (std::size_t k = 0; k < m_arrNextEvents.size(); ++k) {
        const int j =
            Intern(m_arrNext.data() + k * words, m_arrNextHashes[k], i, m_arrNextEvents[k]);
        if (m_bKeepSteps)
            m_arrSteps.push_back(static_cast<std::uint32_t>(j));
    }
    if (m_bKeepSteps) {
        m_arrFirst[Index(i)] = first;
        m_arrDegree[Index(i)] = static_cast<std::uint32_t>(m_arrSteps.size() - first);
    }
    ++m_nExpanded;
}

bool CCaseSpace::ExpandNext() {
    while (m_nNext < m_nCases && m_bKeepSteps && IsExpanded(m_nNext))
        ++m_nNext;
    if (m_nNext == m_nCases)
        return false;
    const int i = m_nNext++;
    Expand(i);
    return true;
}

std::span<const std::uint32_t> CCaseSpace::Successors(int i) {
    if (!IsExpanded(i))
        Expand(i);
    return StoredSuccessors(i);
}

int CCaseSpace::EventBetween(int a, int b) const {
    std::vector<Word> next(Index(m_net.Words()));
    for (int e = 0; e < m_net.EventCount(); ++e) {
        if (!m_net.HasConcession(Case(a), e))
            continue;
        m_net.Fire(Case(a), e, next.data());
        if (Same(next.data(), Case(b), m_net.Words()))
            return e;
    }
    return -1;
}

CRun CCaseSpace::RunTo(int i) const {
    std::vector<int> cases;
    for (int c = i; c >= 0; c = m_arrParent[Index(c)])
        cases.push_back(c);
    std::reverse(cases.begin(), cases.end());
    CRun run;
    for (std::size_t k = 0; k < cases.size(); ++k) {
        run.cases.push_back(m_net.HeldConditions(Case(cases[k])));
        if (k > 0)
            run.events.push_back(m_arrParentEvent[Index(cases[k])]);
    }
    if (m_net.IsDeadlock(Case(i)))
        run.end = CRun::EEnd::Deadlock;
    return run;
}

CRun CCaseSpace::RunThrough(const std::vector<int>& cases, long loopStart) const {
    CRun run;
    if (cases.empty())
        return run;
    run.cases.push_back(m_net.HeldConditions(Case(cases[0])));
    for (std::size_t k = 1; k < cases.size(); ++k) {
        if (cases[k] == cases[k - 1] && m_net.IsDeadlock(Case(cases[k]))) {
            // Staying in a case without concession: the run ends there for ever.
            run.end = CRun::EEnd::Deadlock;
            return run;
        }
        run.events.push_back(EventBetween(cases[k - 1], cases[k]));
        run.cases.push_back(m_net.HeldConditions(Case(cases[k])));
    }
    if (loopStart >= 0) {
        run.end = CRun::EEnd::Loop;
        run.loopStart = static_cast<std::size_t>(loopStart);
    } else if (m_net.IsDeadlock(Case(cases.back()))) {
        run.end = CRun::EEnd::Deadlock;
    }
    return run;
}

std::size_t CCaseSpace::Bytes() const {
    return m_arrWords.capacity() * sizeof(Word) + m_arrTable.capacity() * sizeof(Slot) +
           (m_arrParent.capacity() + m_arrParentEvent.capacity()) * sizeof(int) +
           m_arrFirst.capacity() * sizeof(std::uint64_t) +
           (m_arrDegree.capacity() + m_arrSteps.capacity()) * sizeof(std::uint32_t);
}
