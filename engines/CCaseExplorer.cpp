#include "engines/CCaseExplorer.h"

#include "engines/CCaseCode.h"
#include "engines/CDetachedSetCounter.h"
#include "engines/CWorkerPool.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <algorithm>
#include <atomic>
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
    m_pCode = std::make_unique<CCaseCode>(static_cast<int>(m_arrConditions.size()),
                                          static_cast<int>(nEvents), m_nConditionWords, m_arrPre,
                                          m_arrPost, m_arrInitial);
    m_table = CCaseTable(m_pCode->KeyBits());
    m_nKeyWords = m_table.KeyWords();

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
        m_bCandidates = true;
    }
}

CCaseExplorer::~CCaseExplorer() = default;

void CCaseExplorer::Prepare(Expansion& x) const {
    x.words.assign(Index(m_nConditionWords), 0);
    x.key.assign(Index(m_nKeyWords), 0);
    x.nextKey.assign(Index(m_nKeyWords), 0);
    x.next.assign(Index(m_nConditionWords), 0);
    x.stepEvents.assign(Index(m_nEventWords), 0);
    x.enabled.reserve(m_arrEvents.size());
    if (m_bCandidates)
        x.seen.assign(m_arrEvents.size(), 0);
}

void CCaseExplorer::CollectCandidates(Expansion& x, bool forward) const {
    // Forward an event needs its pre-set in the case, backward its post-set.
    const int side = forward ? 0 : 1;
    ++x.seenStamp;
    x.candidates.clear();
    auto take = [&x](int e) {
        if (x.seen[Index(e)] != x.seenStamp) {
            x.seen[Index(e)] = x.seenStamp;
            x.candidates.push_back(e);
        }
    };
    for (int e : m_arrUntouched[side])
        take(e);
    const Word* c = Current(x);
    for (int w = 0; w < m_nConditionWords; ++w)
        for (Word bits = c[w]; bits != 0; bits &= bits - 1) {
            const int number = w * 64 + std::countr_zero(bits);
            for (int e : m_arrTouching[side][Index(number)])
                take(e);
        }
    std::sort(x.candidates.begin(), x.candidates.end());
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

void CCaseExplorer::AddArc(const Word* events, Arc arc) {
    const int offset = m_nArcs % kBlockArcs;
    if (offset == 0) {
        ArcBlock& block = m_arrBlocks.emplace_back();
        block.arcs.reserve(kBlockArcs);
        block.events.reserve(Index(kBlockArcs) * Index(m_nEventWords));
    }
    ArcBlock& block = m_arrBlocks.back();
    block.arcs.push_back(arc);
    block.events.insert(block.events.end(), events, events + m_nEventWords);
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
    Prepare(m_main);
    m_main.mode = keep == EKeep::Steps ? EMode::KeepSteps : EMode::CasesOnly;
    ECaseGraphResult result;
    if (keep == EKeep::CasesOnly)
        result = m_nConditionWords == 1 ? RunInBatches<1>() : RunInBatches<0>();
    else
        result = m_nConditionWords == 1 ? RunWith<1>() : RunWith<0>();
    if (keep == EKeep::Steps)
        m_nStepCount = static_cast<unsigned>(m_nArcs);
    m_pProgress = nullptr;
    return result;
}

void CCaseExplorer::Load(int index, Expansion& x) const {
    m_table.Get(index, x.key.data());
    m_pCode->Decode(x.key.data(), x.words.data());
    x.expanding = index;
}

int CCaseExplorer::AddInitial() {
    std::vector<Word> key(Index(m_nKeyWords));
    m_pCode->Encode(m_arrInitial.data(), key.data());
    return m_table.Add(key.data());
}

template <int N> ECaseGraphResult CCaseExplorer::RunWith() {
    AddInitial();
    for (m_nExpanding = 0; m_nExpanding < m_table.Count() && !m_bCancelled; ++m_nExpanding) {
        Load(m_nExpanding, m_main);
        Expand<N>(m_main, true);
        if (!m_bCancelled)
            Expand<N>(m_main, false);
    }
    return m_bCancelled ? ECaseGraphResult::Cancelled : ECaseGraphResult::Completed;
}

namespace {

// The cases a batch takes at most, and a chunk (what a thread takes at a time).
constexpr int kBatchCases = 1 << 10;
constexpr int kChunkCases = 64;
// Below so many cases a batch is expanded by the calling thread alone.
constexpr int kParallelCases = 2 * kChunkCases;

} // namespace

template <int N> ECaseGraphResult CCaseExplorer::RunInBatches() {
    const int threads = m_nThreads > 0 ? m_nThreads : CWorkerPool::DefaultWorkers();
    if (!m_pPool || m_pPool->Size() != threads)
        m_pPool = std::make_unique<CWorkerPool>(threads);
    AddInitial();
    int first = 0;
    while (first < m_table.Count() && !m_bCancelled) {
        const int last = std::min(m_table.Count(), first + kBatchCases);
        const int chunks = (last - first + kChunkCases - 1) / kChunkCases;
        if (static_cast<int>(m_arrChunks.size()) < chunks) {
            const std::size_t had = m_arrChunks.size();
            m_arrChunks.resize(Index(chunks));
            for (std::size_t k = had; k < m_arrChunks.size(); ++k) {
                Prepare(m_arrChunks[k]);
                m_arrChunks[k].mode = EMode::CasesOnly;
            }
        }
        // Each thread takes the next chunk until none is left; the table only read.
        std::atomic<int> nextChunk{0};
        const std::function<void(int)> expand = [&](int) {
            for (int k = nextChunk++; k < chunks; k = nextChunk++) {
                const int from = first + k * kChunkCases;
                ExpandChunk<N>(m_arrChunks[Index(k)], from, std::min(last, from + kChunkCases));
            }
        };
        if (last - first < kParallelCases)
            expand(0);
        else
            m_pPool->Run(expand);
        if (!MergeBatch(chunks))
            m_bCancelled = true;
        first = last;
    }
    m_arrChunks.clear();
    return m_bCancelled ? ECaseGraphResult::Cancelled : ECaseGraphResult::Completed;
}

template <int N> void CCaseExplorer::ExpandChunk(Expansion& x, int first, int last) {
    x.fresh.clear();
    x.steps = 0;
    x.met = 0;
    const std::size_t kw = Index(m_nKeyWords);
    for (int i = first; i < last; ++i) {
        Load(i, x);
        // The successors both ways at once: their keys are the case's with the event's
        // toggles, their slots fetched ahead while the steps are counted.
        FindEnabled<N>(x, true);
        std::swap(x.enabled, x.forwardEnabled);
        FindEnabled<N>(x, false);
        const std::size_t forward = x.forwardEnabled.size();
        const std::size_t n = forward + x.enabled.size();
        SuccessorKeys(x, x.forwardEnabled, 0);
        SuccessorKeys(x, x.enabled, forward);
        if (forward > 0) {
            std::swap(x.enabled, x.forwardEnabled);
            x.steps += CountSteps<N>(x);
        }
        // The successors not in the table as the batch found it, in their order.
        for (std::size_t k = 0; k < n; ++k) {
            const Word* key = x.successors.data() + k * kw;
            if (m_table.Find(key, x.hashes[k]) < 0)
                x.fresh.insert(x.fresh.end(), key, key + kw);
        }
        x.met += n;
    }
}

void CCaseExplorer::SuccessorKeys(Expansion& x, const std::vector<int>& events,
                                  std::size_t at) const {
    const std::size_t kw = Index(m_nKeyWords);
    const std::size_t n = at + events.size();
    x.successors.resize(n * kw);
    x.hashes.resize(n);
    for (std::size_t k = 0; k < events.size(); ++k) {
        const Word* flip = m_pCode->Flip(events[k]);
        Word* key = x.successors.data() + (at + k) * kw;
        for (std::size_t w = 0; w < kw; ++w)
            key[w] = x.key[w] ^ flip[w];
        x.hashes[at + k] = m_table.Hash(key);
        m_table.Prefetch(x.hashes[at + k]);
    }
}

bool CCaseExplorer::MergeBatch(int chunks) {
    // A successor not in the table when the batch began is new, unless one before it in
    // the batch was the same: those are looked for in a small table of the batch's own,
    // in order, so that the cases are added as one thread would add them.
    const std::size_t kw = Index(m_nKeyWords);
    std::size_t fresh = 0;
    for (int k = 0; k < chunks; ++k)
        fresh += m_arrChunks[Index(k)].fresh.size() / kw;
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(16, 2 * fresh));
    m_arrBatchSlots.assign(size, nullptr);
    const long long before = m_nMet;
    for (int k = 0; k < chunks; ++k) {
        Expansion& x = m_arrChunks[Index(k)];
        m_nStepCount += x.steps;
        m_nMet += static_cast<long long>(x.met);
        for (std::size_t at = 0; at < x.fresh.size(); at += kw) {
            const Word* key = x.fresh.data() + at;
            const std::uint64_t hash = m_table.Hash(key);
            bool seen = false;
            std::size_t slot = Index(static_cast<int>(hash & (size - 1)));
            for (; m_arrBatchSlots[slot] && !seen; slot = (slot + 1) & (size - 1)) {
                const Word* other = m_arrBatchSlots[slot];
                seen = true;
                for (std::size_t w = 0; w < kw && seen; ++w)
                    seen = other[w] == key[w];
            }
            if (seen)
                continue;
            m_arrBatchSlots[slot] = key;
            m_table.Add(key, hash);
        }
    }
    if (m_pProgress && m_nMet / kProgressInterval != before / kProgressInterval)
        return (*m_pProgress)(m_table.Count(), 0);
    return true;
}

template <int N> void CCaseExplorer::ExpandCase(int index, bool forward) {
    Load(index, m_main);
    m_nExpanding = index;
    Expand<N>(m_main, forward);
}

void CCaseExplorer::ForEachStep(int index, bool forward, const StepVisitor& visit) {
    Prepare(m_main);
    const EMode mode = std::exchange(m_main.mode, EMode::VisitSteps);
    m_pVisitSteps = &visit;
    m_bCancelled = false;
    m_nConditionWords == 1 ? ExpandCase<1>(index, forward) : ExpandCase<0>(index, forward);
    m_bCancelled = false;
    m_main.mode = mode;
}

void CCaseExplorer::ForEachStepAmong(int index, bool forward, const std::vector<int>& targets,
                                     const StepVisitor& visit) {
    // Past this many targets each tried alone costs more than every step once.
    constexpr std::size_t kTargetsAlone = 256;
    if (targets.size() > kTargetsAlone) {
        ForEachStep(index, forward, [&](const Word* events, int target) {
            if (std::binary_search(targets.begin(), targets.end(), target))
                visit(events, target);
        });
        return;
    }
    Prepare(m_main);
    const EMode mode = std::exchange(m_main.mode, EMode::VisitSteps);
    m_bCancelled = false;
    if (m_nConditionWords == 1)
        StepsAmong<1>(index, forward, targets, visit);
    else
        StepsAmong<0>(index, forward, targets, visit);
    m_bCancelled = false;
    m_main.mode = mode;
}

template <int N>
void CCaseExplorer::StepsAmong(int index, bool forward, const std::vector<int>& targets,
                               const StepVisitor& visit) {
    Expansion& x = m_main;
    Load(index, x);
    m_nExpanding = index;
    FindEnabled<N>(x, forward);
    const std::vector<int> enabled = x.enabled;
    std::vector<Word> lost(Index(Words<N>())), gained(Index(Words<N>()));
    for (const int target : targets) {
        if (target < 0 || target >= m_table.Count())
            continue;
        const Word* c = Current(x);
        const Word* t = Read(target);
        for (int w = 0; w < Words<N>(); ++w) {
            lost[Index(w)] = c[w] & ~t[w];
            gained[Index(w)] = t[w] & ~c[w];
        }
        // An event of a step to the target takes its tokens from the conditions lost
        // and puts them on those gained (its neighbours are no other event's).
        x.enabled.clear();
        for (const int e : enabled) {
            const Word* leaves = forward ? Pre(e) : Post(e);
            const Word* enters = forward ? Post(e) : Pre(e);
            bool inside = true;
            for (int w = 0; w < Words<N>() && inside; ++w)
                inside = (leaves[w] & ~lost[Index(w)]) == 0 && (enters[w] & ~gained[Index(w)]) == 0;
            if (inside)
                x.enabled.push_back(e);
        }
        if (x.enabled.empty())
            continue;
        const StepVisitor only = [&visit, target](const Word* events, int other) {
            if (other == target)
                visit(events, other);
        };
        m_pVisitSteps = &only;
        EnumerateAll<N>(x, forward);
    }
    x.enabled = enabled;
}

void CCaseExplorer::ForEachEventSuccessor(int index, bool forward,
                                          const std::function<void(int)>& visit) {
    Prepare(m_main);
    const EMode mode = std::exchange(m_main.mode, EMode::VisitSuccessors);
    m_pVisitSuccessors = &visit;
    m_nConditionWords == 1 ? ExpandCase<1>(index, forward) : ExpandCase<0>(index, forward);
    m_main.mode = mode;
}

bool CCaseExplorer::ListEventSuccessors(bool forward, std::vector<std::int64_t>& first,
                                        std::vector<int>& targets,
                                        const std::function<bool(int)>& goOn) {
    const int n = m_table.Count();
    first.assign(Index(n) + 1, 0);
    targets.clear();
    // Each successor met forward is one met backward from the other end: half of those
    // the search met, fewer where two events lead to one case.
    targets.reserve(static_cast<std::size_t>(std::max<long long>(0, m_nMet / 2)));
    const int threads = m_nThreads > 0 ? m_nThreads : CWorkerPool::DefaultWorkers();
    if (!m_pPool || m_pPool->Size() != threads)
        m_pPool = std::make_unique<CWorkerPool>(threads);
    // Per chunk of a batch: its expansion, its successors and their number per case.
    constexpr int kBatch = 1 << 14;
    constexpr int kChunk = 256;
    constexpr int kChunks = kBatch / kChunk;
    std::vector<Expansion> expansions(Index(kChunks));
    for (Expansion& x : expansions)
        Prepare(x);
    std::vector<std::vector<int>> found(Index(kChunks)), counts(Index(kChunks));
    for (int from = 0; from < n; from += kBatch) {
        if (goOn && from > 0 && !goOn(from))
            return false;
        const int to = std::min(n, from + kBatch);
        const int chunks = (to - from + kChunk - 1) / kChunk;
        std::atomic<int> nextChunk{0};
        const std::function<void(int)> list = [&](int) {
            for (int k = nextChunk++; k < chunks; k = nextChunk++) {
                const int a = from + k * kChunk;
                found[Index(k)].clear();
                counts[Index(k)].clear();
                const int b = std::min(to, a + kChunk);
                if (m_nConditionWords == 1)
                    ListChunkSuccessors<1>(expansions[Index(k)], a, b, forward, found[Index(k)],
                                           counts[Index(k)]);
                else
                    ListChunkSuccessors<0>(expansions[Index(k)], a, b, forward, found[Index(k)],
                                           counts[Index(k)]);
            }
        };
        if (chunks < 2)
            list(0);
        else
            m_pPool->Run(list);
        // The chunks' lists in their order, as one thread would have made them.
        int i = from;
        for (int k = 0; k < chunks; ++k) {
            auto at = static_cast<std::int64_t>(targets.size());
            for (const int count : counts[Index(k)]) {
                first[Index(i++)] = at;
                at += count;
            }
            targets.insert(targets.end(), found[Index(k)].begin(), found[Index(k)].end());
        }
    }
    first[Index(n)] = static_cast<std::int64_t>(targets.size());
    return true;
}

template <int N>
void CCaseExplorer::ListChunkSuccessors(Expansion& x, int first, int last, bool forward,
                                        std::vector<int>& targets, std::vector<int>& counts) const {
    const std::size_t kw = Index(m_nKeyWords);
    for (int i = first; i < last; ++i) {
        Load(i, x);
        FindEnabled<N>(x, forward);
        SuccessorKeys(x, x.enabled, 0);
        const std::size_t start = targets.size();
        for (std::size_t k = 0; k < x.enabled.size(); ++k) {
            const int target = m_table.Find(x.successors.data() + k * kw, x.hashes[k]);
            if (target >= 0 && std::find(targets.begin() + static_cast<std::ptrdiff_t>(start),
                                         targets.end(), target) == targets.end())
                targets.push_back(target);
        }
        counts.push_back(static_cast<int>(targets.size() - start));
    }
}

template <int N> UInt128 CCaseExplorer::CountSteps(Expansion& x) {
    const int n = static_cast<int>(x.enabled.size());
    const auto answer = DetachedSets::Ask(
        n,
        [this, &x](int i, int j) {
            const int a = x.enabled[Index(i)], b = x.enabled[Index(j)];
            return Meets<N>(Pre(a), Pre(b)) || Meets<N>(Post(a), Post(b));
        },
        DetachedSets::EAsk::Count);
    if (answer)
        return answer->count;
    // Too many for the counter: the steps are enumerated, not kept.
    const EMode mode = std::exchange(x.mode, EMode::CountOnly);
    x.counted = 0;
    EnumerateAll<N>(x, true);
    x.mode = mode;
    return x.counted;
}

template <int N> void CCaseExplorer::FindEnabled(Expansion& x, bool forward) const {
    const Word* c = Current(x);
    x.enabled.clear();
    auto test = [&](int e) {
        // Forward: the pre-set holds and no condition of the post-set; backward the
        // other way round.
        const Word* need = forward ? Pre(e) : Post(e);
        const Word* free = forward ? Post(e) : Pre(e);
        bool enabled = true;
        for (int w = 0; w < Words<N>() && enabled; ++w)
            enabled = (need[w] & ~c[w]) == 0 && (free[w] & c[w]) == 0;
        if (enabled)
            x.enabled.push_back(e);
    };
    if (!m_bCandidates) {
        for (int e = 0; e < static_cast<int>(m_arrEvents.size()); ++e)
            test(e);
        return;
    }
    // The candidates in the net's order, as the whole list would give them.
    CollectCandidates(x, forward);
    for (int e : x.candidates)
        test(e);
}

template <int N> void CCaseExplorer::Expand(Expansion& x, bool forward) {
    FindEnabled<N>(x, forward);
    if (x.mode == EMode::VisitSuccessors) {
        SuccessorKeys(x, x.enabled, 0);
        const std::size_t kw = Index(m_nKeyWords);
        for (std::size_t k = 0; k < x.enabled.size(); ++k)
            (*m_pVisitSuccessors)(m_table.Find(x.successors.data() + k * kw, x.hashes[k]));
        return;
    }
    EnumerateAll<N>(x, forward);
}

template <int N> void CCaseExplorer::EnumerateAll(Expansion& x, bool forward) {
    const int n = static_cast<int>(x.enabled.size());
    if (n == 0)
        return;
    const std::size_t levels = Index(2 * (n + 1) * m_nConditionWords);
    if (x.levels.size() < levels)
        x.levels.resize(levels);
    // Depth 0 is the empty prefix. Subsets of up to n - 1 events come from the
    // enumeration, the whole set last.
    std::fill_n(LevelPre(x, 0), 2 * m_nConditionWords, 0);
    x.maxDepth = std::max(1, n - 1);
    Enumerate<N>(x, 0, 1, forward);
    if (n < 2 || m_bCancelled)
        return;
    Word* pre = LevelPre(x, n);
    Word* post = LevelPost(x, n);
    std::fill_n(pre, 2 * m_nConditionWords, 0);
    for (int e : x.enabled) {
        if (Meets<N>(Pre(e), pre) || Meets<N>(Post(e), post))
            return;
        for (int w = 0; w < Words<N>(); ++w) {
            pre[w] |= Pre(e)[w];
            post[w] |= Post(e)[w];
        }
    }
    for (int e : x.enabled)
        SetBit(x.stepEvents.data(), m_arrEventBit[Index(e)]);
    Emit<N>(x, n, forward);
    std::fill(x.stepEvents.begin(), x.stepEvents.end(), 0);
}

template <int N> void CCaseExplorer::Enumerate(Expansion& x, int first, int depth, bool forward) {
    const int n = static_cast<int>(x.enabled.size());
    const Word* prefixPre = LevelPre(x, depth - 1);
    const Word* prefixPost = LevelPost(x, depth - 1);
    Word* pre = LevelPre(x, depth);
    Word* post = LevelPost(x, depth);
    // Only the enumeration of one thread is cancelled (the steps of a case counted in
    // parallel never are).
    const bool cancels = &x == &m_main;
    for (int j = first; j < n && !(cancels && m_bCancelled); ++j) {
        const int e = x.enabled[Index(j)];
        // Detached from every event of the prefix: no shared pre- or postcondition.
        if (Meets<N>(Pre(e), prefixPre) || Meets<N>(Post(e), prefixPost))
            continue;
        for (int w = 0; w < Words<N>(); ++w) {
            pre[w] = prefixPre[w] | Pre(e)[w];
            post[w] = prefixPost[w] | Post(e)[w];
        }
        const int bit = m_arrEventBit[Index(e)];
        SetBit(x.stepEvents.data(), bit);
        Emit<N>(x, depth, forward);
        if (depth < x.maxDepth)
            Enumerate<N>(x, j + 1, depth + 1, forward);
        ClearBit(x.stepEvents.data(), bit);
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

template <int N> void CCaseExplorer::Emit(Expansion& x, int depth, bool forward) {
    if (x.mode == EMode::CountOnly) {
        ++x.counted;
        return;
    }
    const Word* c = Current(x);
    const Word* pre = LevelPre(x, depth);
    const Word* post = LevelPost(x, depth);
    Word* next = x.next.data();
    for (int w = 0; w < Words<N>(); ++w)
        next[w] = forward ? (c[w] & ~pre[w]) | post[w] : (c[w] & ~post[w]) | pre[w];
    Word* key = x.nextKey.data();
    m_pCode->Encode(next, key);
    const std::uint64_t hash = m_table.Hash(key);
    int other = m_table.Find(key, hash);
    if (x.mode == EMode::VisitSteps) {
        (*m_pVisitSteps)(x.stepEvents.data(), other);
        return;
    }
    if (other < 0)
        other = m_table.Add(key, hash);
    if (!StepExists(other, forward)) {
        const auto i = static_cast<std::uint32_t>(m_nExpanding);
        const auto k = static_cast<std::uint32_t>(other);
        AddArc(x.stepEvents.data(), forward ? Arc{i, k} : Arc{k, i});
    }
    if (++m_nMet % kProgressInterval == 0 && m_pProgress &&
        !(*m_pProgress)(m_table.Count(), GetArcCount()))
        m_bCancelled = true;
}

const CCaseExplorer::Word* CCaseExplorer::Read(int index) const {
    m_arrRead.resize(Index(m_nConditionWords + m_nKeyWords));
    m_table.Get(index, m_arrRead.data() + m_nConditionWords);
    m_pCode->Decode(m_arrRead.data() + m_nConditionWords, m_arrRead.data());
    return m_arrRead.data();
}

void CCaseExplorer::GetCaseWords(int index, Word* out) const {
    std::copy_n(Read(index), m_nConditionWords, out);
}

int CCaseExplorer::FindCase(const Word* words) const {
    std::vector<Word> key(Index(m_nKeyWords));
    m_pCode->Encode(words, key.data());
    const int index = m_table.Find(key.data());
    // A set of conditions that is no case of the class may share a case's key.
    if (index < 0 || m_pCode->IsIdentity())
        return index;
    const Word* found = Read(index);
    return std::equal(words, words + m_nConditionWords, found) ? index : -1;
}

CSetConditions CCaseExplorer::GetCase(int index) const {
    CSetConditions result;
    ForEachBit(Read(index), m_nConditionWords,
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
    return HasContactIn(Read(index));
}

bool CCaseExplorer::HasContactInTheClass() {
    const int n = m_table.Count();
    const int threads = m_nThreads > 0 ? m_nThreads : CWorkerPool::DefaultWorkers();
    if (!m_pPool || m_pPool->Size() != threads)
        m_pPool = std::make_unique<CWorkerPool>(threads);
    std::vector<Expansion> expansions(Index(threads));
    for (Expansion& x : expansions)
        Prepare(x);
    constexpr int kChunk = 1024;
    std::atomic<int> nextChunk{0};
    std::atomic<bool> found{false};
    m_pPool->Run([&](int worker) {
        Expansion& x = expansions[Index(worker)];
        for (int first = kChunk * nextChunk++; first < n && !found; first = kChunk * nextChunk++)
            for (int i = first; i < std::min(n, first + kChunk) && !found; ++i) {
                Load(i, x);
                if (HasContactIn(Current(x)))
                    found = true;
            }
    });
    return found;
}

bool CCaseExplorer::HasContactIn(const Word* c) const {
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
    const Word* c = Read(index);
    for (int w = 0; w < m_nConditionWords; ++w)
        if ((Pre(event)[w] & ~c[w]) != 0 || (Post(event)[w] & c[w]) != 0)
            return false;
    return true;
}

int CCaseExplorer::GetKeyBits() const {
    return m_pCode->KeyBits();
}
