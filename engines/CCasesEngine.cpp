#include "engines/CCasesEngine.h"

#include "base/FormatString.h"

#include "engines/CNodeAdjacency.h"
#include "engines/CaseClassSearch.h"
#include "model/CPNEvent.h"
#include "model/CSetEvents.h"

#include <algorithm>
#include <chrono>
#include <deque>

namespace {

using Word = CCaseExplorer::Word;

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

CCasesEngine::CCasesEngine(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase)
    : m_explorer(events, initialCase) {}

ECaseGraphResult CCasesEngine::Run(const CaseGraphProgress& progress) {
    m_arrForward.clear();
    m_pAdjacency.reset();
    m_nContactFree = -1;
    return m_explorer.Run(progress, CCaseExplorer::EKeep::CasesOnly);
}

std::string CCasesEngine::CountCases() {
    return std::to_string(m_explorer.GetCaseCount());
}

std::string CCasesEngine::CountSteps() {
    return DecimalText(m_explorer.GetStepCount());
}

std::string CCasesEngine::CountForwardCases() {
    const std::vector<std::uint8_t>& forward = ForwardReachable();
    return std::to_string(std::count(forward.begin(), forward.end(), 1));
}

const std::vector<std::uint8_t>& CCasesEngine::ForwardReachable() {
    const int n = m_explorer.GetCaseCount();
    if (static_cast<int>(m_arrForward.size()) == n)
        return m_arrForward;
    m_arrForward.assign(At(n), 0);
    if (n == 0)
        return m_arrForward;
    std::vector<int> stack{0};
    m_arrForward[0] = 1;
    const std::function<void(int)> reach = [&](int target) {
        if (target >= 0 && !m_arrForward[At(target)]) {
            m_arrForward[At(target)] = 1;
            stack.push_back(target);
        }
    };
    while (!stack.empty()) {
        const int u = stack.back();
        stack.pop_back();
        m_explorer.ForEachEventSuccessor(u, true, reach);
    }
    return m_arrForward;
}

const CNodeAdjacency* CCasesEngine::ForwardAdjacency() {
    PrepareForwardAdjacency({});
    return m_pAdjacency.get();
}

bool CCasesEngine::PrepareForwardAdjacency(const std::function<bool(int, int)>& progress) {
    if (m_pAdjacency)
        return true;
    // By both threads, asked between batches as the search asks.
    const int n = m_explorer.GetCaseCount();
    std::vector<CNodeAdjacency::Offset> first;
    std::vector<int> targets;
    const bool done = m_explorer.ListEventSuccessors(
        true, first, targets, [&progress, n](int) { return !progress || progress(n, 0); });
    if (!done)
        return false;
    m_pAdjacency = std::make_unique<CNodeAdjacency>(std::move(first), std::move(targets));
    return true;
}

double CCasesEngine::MeasureStepRate(double seconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto elapsed = [&start] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    // The clock is read every few thousand steps: one case may have billions.
    constexpr std::uint64_t kLook = 4096;
    std::uint64_t steps = 0;
    bool done = false;
    const CCaseExplorer::StepVisitor count = [&](const Word*, int) {
        if (++steps % kLook == 0 && elapsed() >= seconds) {
            done = true;
            m_explorer.StopVisiting();
        }
    };
    for (int i = 0; i < m_explorer.GetCaseCount() && !done; ++i) {
        m_explorer.ForEachStep(i, true, count);
        done = done || elapsed() >= seconds;
    }
    return static_cast<double>(steps) / std::max(elapsed(), 1e-6);
}

bool CCasesEngine::IsContactFree() {
    if (m_nContactFree < 0) {
        m_nContactFree = m_explorer.HasContactInTheClass() ? 0 : 1;
    }
    return m_nContactFree == 1;
}

bool CCasesEngine::Mask(const std::vector<CPNCondition*>& conditions, std::vector<Word>& bits,
                        bool wanted) const {
    bits.assign(At(m_explorer.GetConditionWords()), 0);
    for (const CPNCondition* c : conditions) {
        const int number = m_explorer.GetConditionNumber(c);
        if (number < 0) {
            if (wanted)
                return false;
            continue;
        }
        bits[At(number / 64)] |= Word{1} << (number % 64);
    }
    return true;
}

int CCasesEngine::IndexOf(const CSetConditions& c) const {
    std::vector<CPNCondition*> members(c.begin(), c.end());
    std::vector<Word> bits;
    if (!Mask(members, bits, true))
        return -1;
    return m_explorer.FindCase(bits.data());
}

bool CCasesEngine::IsForwardReachable(const CSetConditions& c) {
    const int index = IndexOf(c);
    return index >= 0 && ForwardReachable()[At(index)];
}

CCaseSearchResult CCasesEngine::Find(const std::vector<CPNCondition*>& wanted,
                                     const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                                     std::size_t shown) {
    CCaseSearchResult result;
    std::vector<Word> want, avoid;
    if (!Mask(wanted, want, true) || !Mask(unwanted, avoid, false))
        return result;
    const std::vector<std::uint8_t>* forward = onlyReachable ? &ForwardReachable() : nullptr;
    const int words = m_explorer.GetConditionWords();
    // The first in the order of their texts: the smallest `shown` are kept as they come.
    std::vector<std::pair<std::string, int>> first;
    auto before = [](const std::pair<std::string, int>& a, const std::pair<std::string, int>& b) {
        return CaseTextBefore(a.first, b.first);
    };
    std::size_t count = 0;
    std::vector<Word> bits(At(words));
    const Word* c = bits.data();
    for (int i = 0; i < m_explorer.GetCaseCount(); ++i) {
        if (forward && !(*forward)[At(i)])
            continue;
        m_explorer.GetCaseWords(i, bits.data());
        bool match = true;
        for (int w = 0; w < words && match; ++w)
            match = (want[At(w)] & ~c[w]) == 0 && (avoid[At(w)] & c[w]) == 0;
        if (!match)
            continue;
        ++count;
        first.emplace_back(m_explorer.GetCase(i).ToString(false), i);
        if (first.size() >= 2 * shown + 64) {
            std::sort(first.begin(), first.end(), before);
            first.resize(shown);
        }
    }
    std::sort(first.begin(), first.end(), before);
    if (first.size() > shown)
        first.resize(shown);
    result.count = std::to_string(count);
    for (const auto& [text, i] : first)
        result.first.push_back(m_explorer.GetCase(i));
    return result;
}

void CCasesEngine::ForEachStep(int index, bool forward, const StepVisitor& visit) {
    CSetEvents events;
    m_explorer.ForEachStep(index, forward, [&](const Word* bits, int target) {
        m_explorer.GetEvents(bits, events);
        visit(events, target);
    });
}

void CCasesEngine::ForEachStepAmong(int index, bool forward, const std::vector<int>& among,
                                    const StepVisitor& visit) {
    CSetEvents events;
    m_explorer.ForEachStepAmong(index, forward, among, [&](const Word* bits, int target) {
        m_explorer.GetEvents(bits, events);
        visit(events, target);
    });
}

bool CCasesEngine::ShortestPath(int target, std::vector<PathStep>& steps) {
    steps.clear();
    const int n = m_explorer.GetCaseCount();
    if (target < 0 || target >= n)
        return false;
    std::vector<PathStep> via;
    auto search = [&](bool allowBackward) {
        via.assign(At(n), PathStep());
        std::vector<std::uint8_t> seen(At(n), 0);
        std::deque<int> queue{0};
        seen[0] = 1;
        while (!queue.empty() && !seen[At(target)]) {
            const int node = queue.front();
            queue.pop_front();
            for (const bool forward : {true, false}) {
                if (!forward && !allowBackward)
                    continue;
                ForEachStep(node, forward, [&](const CSetEvents& events, int next) {
                    if (next < 0 || seen[At(next)])
                        return;
                    seen[At(next)] = 1;
                    via[At(next)] = {node, next, forward, events};
                    queue.push_back(next);
                });
            }
        }
        return seen[At(target)] != 0;
    };
    if (!search(false) && !search(true))
        return false;
    for (int node = target; node != 0; node = via[At(node)].from)
        steps.push_back(via[At(node)]);
    std::reverse(steps.begin(), steps.end());
    return true;
}

std::optional<CCaseRun> CCasesEngine::PathTo(const CSetConditions& to) {
    const int target = IndexOf(to);
    if (target < 0)
        return std::nullopt;
    std::vector<PathStep> path;
    CCaseRun run;
    run.from = Case(0);
    run.to = to;
    run.found = ShortestPath(target, path);
    for (const PathStep& step : path)
        run.steps.push_back({step.events, step.forward, Case(step.to)});
    return run;
}

bool CCasesEngine::HasConcessionInTheClass(const CPNEvent& event) {
    const std::vector<CPNEvent*>& events = m_explorer.GetEvents();
    const auto it = std::find(events.begin(), events.end(), &event);
    if (it == events.end())
        return false;
    const int e = static_cast<int>(it - events.begin());
    for (int i = 0; i < m_explorer.GetCaseCount(); ++i)
        if (m_explorer.HasConcession(i, e))
            return true;
    return false;
}
