#include "engines/CCaseExplorer.h"

#include "engines/CDetachedSetCounter.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace {

using Word = CCaseExplorer::Word;
constexpr int kWordBits = 64;

int WordsFor(std::size_t bits) {
    return std::max(1, static_cast<int>((bits + kWordBits - 1) / kWordBits));
}

void SetBit(Word* words, int bit) {
    words[bit / kWordBits] |= Word{1} << (bit % kWordBits);
}

void ClearBit(Word* words, int bit) {
    words[bit / kWordBits] &= ~(Word{1} << (bit % kWordBits));
}

// Calls f with every set bit, in ascending order.
template <class F> void ForEachBit(const Word* words, int count, F f) {
    for (int w = 0; w < count; ++w)
        for (Word bits = words[w]; bits; bits &= bits - 1)
            f(w * kWordBits + std::countr_zero(bits));
}

} // namespace

CCaseExplorer::CCaseExplorer(const std::vector<CPNEvent*>& events,
                             const CSetConditions& initialCase)
    : m_arrEvents(events) {
    // Number the conditions in serial order, so that a case read off its bits comes out
    // in the order of the condition sets.
    std::unordered_map<const CPNCondition*, bool> seen;
    auto collect = [&](const CSetConditions& set) {
        for (CPNCondition* c : set)
            if (seen.emplace(c, true).second)
                m_arrConditions.push_back(c);
    };
    collect(initialCase);
    for (const CPNEvent* e : m_arrEvents) {
        collect(e->m_setPreConditions);
        collect(e->m_setPostConditions);
    }
    std::sort(m_arrConditions.begin(), m_arrConditions.end(),
              [](const CPNCondition* a, const CPNCondition* b) {
                  return a->GetSerial() < b->GetSerial();
              });
    m_nConditionWords = WordsFor(m_arrConditions.size());

    // The event bits follow the serial order for the same reason; the candidates follow
    // the net's order.
    const std::size_t nEvents = m_arrEvents.size();
    std::vector<int> bySerial(nEvents);
    std::iota(bySerial.begin(), bySerial.end(), 0);
    std::stable_sort(bySerial.begin(), bySerial.end(), [&](int a, int b) {
        return m_arrEvents[Index(a)]->GetSerial() < m_arrEvents[Index(b)]->GetSerial();
    });
    m_arrEventBit.resize(nEvents);
    for (std::size_t bit = 0; bit < nEvents; ++bit) {
        m_arrEventBit[Index(bySerial[bit])] = static_cast<int>(bit);
        m_arrEventsBySerial.push_back(m_arrEvents[Index(bySerial[bit])]);
    }
    m_nEventWords = WordsFor(nEvents);

    const std::size_t wc = Index(m_nConditionWords);
    m_arrPre.assign(nEvents * wc, 0);
    m_arrPost.assign(nEvents * wc, 0);
    for (std::size_t e = 0; e < nEvents; ++e) {
        for (const CPNCondition* c : m_arrEvents[e]->m_setPreConditions)
            SetBit(&m_arrPre[e * wc], GetConditionNumber(c));
        for (const CPNCondition* c : m_arrEvents[e]->m_setPostConditions)
            SetBit(&m_arrPost[e * wc], GetConditionNumber(c));
    }
    m_arrInitial.assign(wc, 0);
    for (const CPNCondition* c : initialCase)
        SetBit(m_arrInitial.data(), GetConditionNumber(c));

    // Past one word of conditions a case names few of a long net's events: each case
    // looks only at the events that touch one of its conditions (and those with an
    // empty side). A net of few events tests them all, which costs less.
    if (m_nConditionWords > 1 && nEvents > kFewEvents) {
        for (int side = 0; side < 2; ++side) {
            m_arrTouching[side].assign(m_arrConditions.size(), {});
            m_arrUntouched[side].clear();
        }
        for (std::size_t e = 0; e < nEvents; ++e) {
            const CPNEvent* event = m_arrEvents[e];
            const CSetConditions* sides[2] = {&event->m_setPreConditions,
                                              &event->m_setPostConditions};
            for (int side = 0; side < 2; ++side) {
                if (sides[side]->IsEmpty())
                    m_arrUntouched[side].push_back(static_cast<int>(e));
                for (const CPNCondition* c : *sides[side])
                    m_arrTouching[side][Index(GetConditionNumber(c))].push_back(
                        static_cast<int>(e));
            }
        }
        m_arrSeen.assign(nEvents, 0);
    }
}

void CCaseExplorer::CollectCandidates(bool forward) {
    // Forward an event needs its pre-set in the case, backward its post-set.
    const int side = forward ? 0 : 1;
    ++m_nSeenStamp;
    m_arrCandidates.clear();
    auto take = [this](int e) {
        if (m_arrSeen[Index(e)] != m_nSeenStamp) {
            m_arrSeen[Index(e)] = m_nSeenStamp;
            m_arrCandidates.push_back(e);
        }
    };
    for (int e : m_arrUntouched[side])
        take(e);
    const Word* c = m_arrCurrent.data();
    for (int w = 0; w < m_nConditionWords; ++w)
        for (Word bits = c[w]; bits != 0; bits &= bits - 1) {
            const int number = w * 64 + std::countr_zero(bits);
            for (int e : m_arrTouching[side][Index(number)])
                take(e);
        }
    std::sort(m_arrCandidates.begin(), m_arrCandidates.end());
}

int CCaseExplorer::GetConditionNumber(const CPNCondition* condition) const {
    auto it = std::lower_bound(m_arrConditions.begin(), m_arrConditions.end(), condition,
                               [](const CPNCondition* a, const CPNCondition* b) {
                                   return a->GetSerial() < b->GetSerial();
                               });
    if (it == m_arrConditions.end() || *it != condition)
        return -1;
    return static_cast<int>(it - m_arrConditions.begin());
}

template <int N> std::size_t CCaseExplorer::Hash(const Word* words) const {
    Word h = 0x9E3779B97F4A7C15ULL;
    for (int w = 0; w < Words<N>(); ++w) {
        h ^= words[w];
        h *= 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    h *= 0x94D049BB133111EBULL;
    h ^= h >> 29;
    return static_cast<std::size_t>(h);
}

template <int N> int CCaseExplorer::FindCaseIn(const Word* words) const {
    return FindCaseIn<N>(words, Hash<N>(words));
}

template <int N> int CCaseExplorer::FindCaseIn(const Word* words, std::size_t hash) const {
    if (m_arrCaseIndex.empty())
        return -1;
    const std::size_t mask = m_arrCaseIndex.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t value = m_arrCaseIndex[slot];
        if (value == 0)
            return -1;
        // Most slots of other cases differ in the tag: their words are not read.
        if (!TagMatches(value, hash))
            continue;
        const int index = SlotIndex(value);
        const Word* candidate = CaseWords(index);
        bool equal = true;
        for (int w = 0; w < Words<N>() && equal; ++w)
            equal = words[w] == candidate[w];
        if (equal)
            return index;
    }
}

int CCaseExplorer::FindCase(const Word* words) const {
    return FindCaseIn<0>(words);
}

void CCaseExplorer::PlaceInIndex(int index) {
    const std::size_t mask = m_arrCaseIndex.size() - 1;
    const std::size_t hash = Hash<0>(CaseWords(index));
    std::size_t slot = hash & mask;
    while (m_arrCaseIndex[slot] != 0)
        slot = (slot + 1) & mask;
    m_arrCaseIndex[slot] = SlotValue(index, hash);
}

void CCaseExplorer::GrowCaseIndex() {
    const std::size_t size = std::max<std::size_t>(64, m_arrCaseIndex.size() * 2);
    m_arrCaseIndex.assign(size, 0);
    for (int i = 0; i < m_nCases; ++i)
        PlaceInIndex(i);
}

int CCaseExplorer::AddCase(const Word* words) {
    const int index = m_nCases++;
    m_arrCaseWords.insert(m_arrCaseWords.end(), words, words + m_nConditionWords);
    if (m_bTagged && m_nCases >= kMaxTaggedCases) {
        // Past the cases a tagged slot numbers: every slot holds a whole index.
        m_bTagged = false;
        m_arrCaseIndex.assign(m_arrCaseIndex.size(), 0);
        for (int i = 0; i < index; ++i)
            PlaceInIndex(i);
    }
    if (Index(m_nCases) * 2 > m_arrCaseIndex.size())
        GrowCaseIndex();
    else
        PlaceInIndex(index);
    return index;
}

void CCaseExplorer::AddArc(Arc arc) {
    const int offset = m_nArcs % kBlockArcs;
    if (offset == 0) {
        ArcBlock& block = m_arrBlocks.emplace_back();
        block.arcs.reserve(kBlockArcs);
        block.events.reserve(Index(kBlockArcs) * Index(m_nEventWords));
    }
    ArcBlock& block = m_arrBlocks.back();
    block.arcs.push_back(arc);
    for (Word w : m_arrStepEvents)
        block.events.push_back(w);
    ++m_nArcs;
}

void CCaseExplorer::ReleaseArcsBefore(int arc) {
    for (; (m_nReleasedBlocks + 1) * kBlockArcs <= arc &&
           Index(m_nReleasedBlocks) < m_arrBlocks.size();
         ++m_nReleasedBlocks) {
        m_arrBlocks[Index(m_nReleasedBlocks)].arcs = std::vector<Arc>();
        m_arrBlocks[Index(m_nReleasedBlocks)].events = std::vector<Word>();
    }
}

template <int N> bool CCaseExplorer::Meets(const Word* a, const Word* b) const {
    for (int w = 0; w < Words<N>(); ++w)
        if (a[w] & b[w])
            return true;
    return false;
}

ECaseGraphResult CCaseExplorer::Run(const CaseGraphProgress& progress, EKeep keep) {
    m_pProgress = progress ? &progress : nullptr;
    m_nMet = 0;
    m_bCancelled = false;
    m_nStepCount = 0;
    m_eMode = keep == EKeep::Steps ? EMode::KeepSteps : EMode::CasesOnly;
    m_arrCurrent.assign(Index(m_nConditionWords), 0);
    m_arrNext.assign(Index(m_nConditionWords), 0);
    m_arrStepEvents.assign(Index(m_nEventWords), 0);
    m_arrLevels.assign(Index(2 * (static_cast<int>(m_arrEvents.size()) + 1) * m_nConditionWords),
                       0);
    m_arrEnabled.reserve(m_arrEvents.size());
    const ECaseGraphResult result = m_nConditionWords == 1 ? RunWith<1>() : RunWith<0>();
    if (keep == EKeep::Steps)
        m_nStepCount = static_cast<unsigned>(m_nArcs);
    m_pProgress = nullptr;
    return result;
}

template <int N> ECaseGraphResult CCaseExplorer::RunWith() {
    AddCase(m_arrInitial.data());
    for (m_nExpanding = 0; m_nExpanding < m_nCases && !m_bCancelled; ++m_nExpanding) {
        std::copy_n(CaseWords(m_nExpanding), m_nConditionWords, m_arrCurrent.begin());
        Expand<N>(true);
        if (!m_bCancelled)
            Expand<N>(false);
    }
    return m_bCancelled ? ECaseGraphResult::Cancelled : ECaseGraphResult::Completed;
}

template <int N> void CCaseExplorer::ExpandCase(int index, bool forward) {
    std::copy_n(CaseWords(index), m_nConditionWords, m_arrCurrent.begin());
    m_nExpanding = index;
    Expand<N>(forward);
}

void CCaseExplorer::ForEachStep(int index, bool forward, const StepVisitor& visit) {
    const EMode mode = std::exchange(m_eMode, EMode::VisitSteps);
    m_pVisitSteps = &visit;
    m_nConditionWords == 1 ? ExpandCase<1>(index, forward) : ExpandCase<0>(index, forward);
    m_eMode = mode;
}

void CCaseExplorer::ForEachEventSuccessor(int index, bool forward,
                                          const std::function<void(int)>& visit) {
    const EMode mode = std::exchange(m_eMode, EMode::VisitSuccessors);
    m_pVisitSuccessors = &visit;
    m_nConditionWords == 1 ? ExpandCase<1>(index, forward) : ExpandCase<0>(index, forward);
    m_eMode = mode;
}

template <int N> UInt128 CCaseExplorer::CountSteps() {
    const int n = static_cast<int>(m_arrEnabled.size());
    const auto answer = DetachedSets::Ask(
        n,
        [this](int i, int j) {
            const int a = m_arrEnabled[Index(i)], b = m_arrEnabled[Index(j)];
            return Meets<N>(Pre(a), Pre(b)) || Meets<N>(Post(a), Post(b));
        },
        DetachedSets::EAsk::Count);
    if (answer)
        return answer->count;
    // Too many for the counter: the steps are enumerated, not kept.
    const EMode mode = std::exchange(m_eMode, EMode::CountOnly);
    m_nCounted = 0;
    EnumerateAll<N>(true);
    m_eMode = mode;
    return m_nCounted;
}

template <int N> void CCaseExplorer::Expand(bool forward) {
    const Word* c = m_arrCurrent.data();
    m_arrEnabled.clear();
    auto test = [&](int e) {
        // Forward: the pre-set holds and no condition of the post-set; backward the
        // other way round.
        const Word* need = forward ? Pre(e) : Post(e);
        const Word* free = forward ? Post(e) : Pre(e);
        bool enabled = true;
        for (int w = 0; w < Words<N>() && enabled; ++w)
            enabled = (need[w] & ~c[w]) == 0 && (free[w] & c[w]) == 0;
        if (enabled)
            m_arrEnabled.push_back(e);
    };
    if (m_arrSeen.empty()) {
        for (int e = 0; e < static_cast<int>(m_arrEvents.size()); ++e)
            test(e);
    } else {
        // The candidates in the net's order, as the whole list would give them.
        CollectCandidates(forward);
        for (int e : m_arrCandidates)
            test(e);
    }
    if (m_eMode == EMode::CasesOnly || m_eMode == EMode::VisitSuccessors) {
        // Every successor and its slot first, the slots fetched ahead, then the probes:
        // the table is far larger than the caches and its reads overlap so.
        const std::size_t n = m_arrEnabled.size();
        const std::size_t words = Index(Words<N>());
        m_arrSuccessors.resize(n * words);
        m_arrSuccessorHashes.resize(n);
        const std::size_t mask = m_arrCaseIndex.size() - 1;
        for (std::size_t k = 0; k < n; ++k) {
            const int e = m_arrEnabled[k];
            const Word* out = forward ? Pre(e) : Post(e);
            const Word* in = forward ? Post(e) : Pre(e);
            Word* next = m_arrSuccessors.data() + k * words;
            for (std::size_t w = 0; w < words; ++w)
                next[w] = (c[w] & ~out[w]) | in[w];
            m_arrSuccessorHashes[k] = Hash<N>(next);
            __builtin_prefetch(&m_arrCaseIndex[m_arrSuccessorHashes[k] & mask]);
        }
        for (std::size_t k = 0; k < n; ++k) {
            const Word* next = m_arrSuccessors.data() + k * words;
            const int other = FindCaseIn<N>(next, m_arrSuccessorHashes[k]);
            if (m_eMode == EMode::VisitSuccessors) {
                (*m_pVisitSuccessors)(other);
                continue;
            }
            if (other < 0)
                AddCase(next);
            if (++m_nMet % kProgressInterval == 0 && m_pProgress && !(*m_pProgress)(m_nCases, 0)) {
                m_bCancelled = true;
                return;
            }
        }
        if (m_eMode == EMode::CasesOnly && forward && !m_arrEnabled.empty())
            m_nStepCount += CountSteps<N>();
        return;
    }
    EnumerateAll<N>(forward);
}

template <int N> void CCaseExplorer::EnumerateAll(bool forward) {
    const int n = static_cast<int>(m_arrEnabled.size());
    if (n == 0)
        return;
    // Depth 0 is the empty prefix. Subsets of up to n - 1 events come from the
    // enumeration, the whole set last.
    std::fill_n(LevelPre(0), 2 * m_nConditionWords, 0);
    m_nMaxDepth = std::max(1, n - 1);
    Enumerate<N>(0, 1, forward);
    if (n < 2 || m_bCancelled)
        return;
    Word* pre = LevelPre(n);
    Word* post = LevelPost(n);
    std::fill_n(pre, 2 * m_nConditionWords, 0);
    for (int e : m_arrEnabled) {
        if (Meets<N>(Pre(e), pre) || Meets<N>(Post(e), post))
            return;
        for (int w = 0; w < Words<N>(); ++w) {
            pre[w] |= Pre(e)[w];
            post[w] |= Post(e)[w];
        }
    }
    for (int e : m_arrEnabled)
        SetBit(m_arrStepEvents.data(), m_arrEventBit[Index(e)]);
    Emit<N>(n, forward);
    std::fill(m_arrStepEvents.begin(), m_arrStepEvents.end(), 0);
}

template <int N> void CCaseExplorer::Enumerate(int first, int depth, bool forward) {
    const int n = static_cast<int>(m_arrEnabled.size());
    const Word* prefixPre = LevelPre(depth - 1);
    const Word* prefixPost = LevelPost(depth - 1);
    Word* pre = LevelPre(depth);
    Word* post = LevelPost(depth);
    for (int j = first; j < n && !m_bCancelled; ++j) {
        const int e = m_arrEnabled[Index(j)];
        // Detached from every event of the prefix: no shared pre- or postcondition.
        if (Meets<N>(Pre(e), prefixPre) || Meets<N>(Post(e), prefixPost))
            continue;
        for (int w = 0; w < Words<N>(); ++w) {
            pre[w] = prefixPre[w] | Pre(e)[w];
            post[w] = prefixPost[w] | Post(e)[w];
        }
        const int bit = m_arrEventBit[Index(e)];
        SetBit(m_arrStepEvents.data(), bit);
        Emit<N>(depth, forward);
        if (depth < m_nMaxDepth)
            Enumerate<N>(j + 1, depth + 1, forward);
        ClearBit(m_arrStepEvents.data(), bit);
    }
}

bool CCaseExplorer::StepExists(int other, bool forward) const {
    // A step from c to c' forward is the same step from c' to c backward: every arc is
    // met once from each of its ends, forward from its source when that node is
    // expanded and backward from its target. Node i is expanded forward, then backward,
    // before node i + 1, so the arc exists when its other end was expanded first: a
    // forward arc i -> k when k < i, a backward arc k -> i when k <= i.
    return forward ? other < m_nExpanding : other <= m_nExpanding;
}

template <int N> void CCaseExplorer::Emit(int depth, bool forward) {
    if (m_eMode == EMode::CountOnly) {
        ++m_nCounted;
        return;
    }
    const Word* c = m_arrCurrent.data();
    const Word* pre = LevelPre(depth);
    const Word* post = LevelPost(depth);
    Word* next = m_arrNext.data();
    for (int w = 0; w < Words<N>(); ++w)
        next[w] = forward ? (c[w] & ~pre[w]) | post[w] : (c[w] & ~post[w]) | pre[w];
    int other = FindCaseIn<N>(next);
    if (m_eMode == EMode::VisitSteps) {
        (*m_pVisitSteps)(m_arrStepEvents.data(), other);
        return;
    }
    if (other < 0)
        other = AddCase(next);
    if (!StepExists(other, forward)) {
        const auto i = static_cast<std::uint32_t>(m_nExpanding);
        const auto k = static_cast<std::uint32_t>(other);
        AddArc(forward ? Arc{i, k} : Arc{k, i});
    }
    if (++m_nMet % kProgressInterval == 0 && m_pProgress &&
        !(*m_pProgress)(m_nCases, GetArcCount()))
        m_bCancelled = true;
}

CSetConditions CCaseExplorer::GetCase(int index) const {
    CSetConditions result;
    ForEachBit(CaseWords(index), m_nConditionWords,
               [&](int bit) { result.Add(m_arrConditions[Index(bit)]); });
    return result;
}

void CCaseExplorer::GetArcEvents(int arc, CSetEvents& events) const {
    events.RemoveAll();
    const ArcBlock& block = m_arrBlocks[Index(arc / kBlockArcs)];
    ForEachBit(block.events.data() + Index(arc % kBlockArcs) * Index(m_nEventWords), m_nEventWords,
               [&](int bit) { events.Add(m_arrEventsBySerial[Index(bit)]); });
}

void CCaseExplorer::GetEvents(const Word* bits, CSetEvents& events) const {
    events.RemoveAll();
    ForEachBit(bits, m_nEventWords, [&](int bit) { events.Add(m_arrEventsBySerial[Index(bit)]); });
}

bool CCaseExplorer::HasContact(int index) const {
    const Word* c = CaseWords(index);
    auto includes = [&](const Word* side) {
        for (int w = 0; w < m_nConditionWords; ++w)
            if (side[w] & ~c[w])
                return false;
        return true;
    };
    auto meets = [&](const Word* side) {
        for (int w = 0; w < m_nConditionWords; ++w)
            if (side[w] & c[w])
                return true;
        return false;
    };
    for (int e = 0; e < static_cast<int>(m_arrEvents.size()); ++e)
        if ((includes(Pre(e)) && meets(Post(e))) || (includes(Post(e)) && meets(Pre(e))))
            return true;
    return false;
}

bool CCaseExplorer::HasConcession(int index, int event) const {
    const Word* c = CaseWords(index);
    for (int w = 0; w < m_nConditionWords; ++w)
        if ((Pre(event)[w] & ~c[w]) != 0 || (Post(event)[w] & c[w]) != 0)
            return false;
    return true;
}
