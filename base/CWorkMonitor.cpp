#include "base/CWorkMonitor.h"

#include <algorithm>

CWorkMonitor::CWorkMonitor() : m_lastPoll(Clock::now()) {}

WorkProgress CWorkMonitor::Progress() {
    return [this](std::size_t done, std::size_t total) {
        Polled(&done, total);
        return !m_bCancelled;
    };
}

bool CWorkMonitor::Poll() {
    Polled(nullptr, 0);
    return !m_bCancelled;
}

void CWorkMonitor::Polled(const std::size_t* done, std::size_t total) {
    {
        std::lock_guard lock(m_mutex);
        const Clock::time_point now = Clock::now();
        m_longestGap = std::max(m_longestGap, now - m_lastPoll);
        m_lastPoll = now;
        ++m_nPolls;
        if (done) {
            m_nDone = *done;
            m_nTotal = total;
        }
    }
    if (m_pollHook && !m_pollHook(Read()))
        m_bCancelled = true;
}

void CWorkMonitor::SetStage(const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_strStage = text;
    m_nDone = 0;
    m_nTotal = 0;
}

CWorkMonitor::Reading CWorkMonitor::Read() const {
    std::lock_guard lock(m_mutex);
    Reading reading;
    reading.stage = m_strStage;
    reading.done = m_nDone;
    reading.total = m_nTotal;
    reading.polls = m_nPolls;
    reading.longestGap =
        std::chrono::duration<double>(std::max(m_longestGap, Clock::now() - m_lastPoll)).count();
    return reading;
}
