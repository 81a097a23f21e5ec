#include "properties/CCheckContext.h"

CCaseSpace& CCheckContext::Space(bool steps) {
    if (!m_pSpace || (steps && !m_pSpace->KeepsSteps())) {
        m_pSpace.reset();
        m_pReverse.reset();
        m_pSpace = std::make_unique<CCaseSpace>(m_compact, m_bKeepSteps || steps);
    }
    return *m_pSpace;
}

CCaseSpace& CCheckContext::CompleteSpace() {
    CCaseSpace& space = Space(true);
    while (space.ExpandNext())
        m_budget.Tick([this] { return Bytes(); });
    return space;
}

const CCheckContext::Predecessors& CCheckContext::Reverse() {
    if (m_pReverse)
        return *m_pReverse;
    CCaseSpace& space = CompleteSpace();
    const auto n = static_cast<std::size_t>(space.Count());
    const std::size_t bytes =
        Bytes() + (n + 1) * sizeof(std::uint64_t) + space.StepCount() * sizeof(std::uint32_t);
    if (!m_budget.Affords(bytes))
        throw CCheckStopped{EStopReason::MemoryLimit};
    auto reverse = std::make_unique<Predecessors>();
    reverse->first.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::uint32_t j : space.StoredSuccessors(static_cast<int>(i)))
            ++reverse->first[j + 1];
    for (std::size_t i = 0; i < n; ++i)
        reverse->first[i + 1] += reverse->first[i];
    reverse->cases.resize(space.StepCount());
    std::vector<std::uint64_t> fill(reverse->first.begin(), reverse->first.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
        for (std::uint32_t j : space.StoredSuccessors(static_cast<int>(i)))
            reverse->cases[fill[j]++] = static_cast<std::uint32_t>(i);
    m_pReverse = std::move(reverse);
    return *m_pReverse;
}

std::size_t CCheckContext::Bytes() const {
    std::size_t bytes = m_pSpace ? m_pSpace->Bytes() : 0;
    if (m_pReverse)
        bytes += m_pReverse->first.capacity() * sizeof(std::uint64_t) +
                 m_pReverse->cases.capacity() * sizeof(std::uint32_t);
    return bytes;
}
