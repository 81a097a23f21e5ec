#include "properties/CCheckBudget.h"

CCheckBudget::CCheckBudget(const CCheckLimits& limits)
    : m_limits(limits), m_start(std::chrono::steady_clock::now()) {}

double CCheckBudget::Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

void CCheckBudget::Check(std::size_t bytes) {
    if (m_limits.maxBytes != 0 && bytes > m_limits.maxBytes)
        throw CCheckStopped{EStopReason::MemoryLimit};
    if (m_limits.seconds > 0 && Elapsed() > m_limits.seconds)
        throw CCheckStopped{EStopReason::TimeLimit};
    // The user is asked at the first look and every kAskEvery units after.
    constexpr std::size_t kAskEvery = 16 * kCheckEvery;
    if (m_limits.progress && (m_nWork == kCheckEvery || m_nWork % kAskEvery == 0) &&
        !m_limits.progress(m_nWork, 0))
        throw CCheckStopped{EStopReason::Cancelled};
}
