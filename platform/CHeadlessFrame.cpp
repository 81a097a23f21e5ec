#include "platform/CHeadlessFrame.h"

#include "engines/ECaseGraphResult.h"
#include "platform/ProcessMemory.h"

long long CHeadlessFrame::MemoryLimit() const {
    if (m_nMaxMemory > 0)
        return m_nMaxMemory;
    // As in the program: a graph that would take most of the machine's memory is
    // refused before the system ends the process for it.
    return PhysicalMemoryBytes() / 10 * 8;
}

bool CHeadlessFrame::CaseGraphProgress(int cases, int /*arcs*/) {
    if (m_cancelled && m_cancelled())
        return false;
    if (m_nMaxCases > 0 && cases > m_nMaxCases) {
        m_limitReached = "not enough memory: the case graph has more than " +
                         std::to_string(m_nMaxCases) + " cases (--max-cases)";
        return false;
    }
    const long long limit = MemoryLimit();
    if (limit > 0 && ResidentBytes() > limit) {
        m_bMemoryLimitReached = true;
        m_limitReached = m_nMaxMemory > 0 ? "not enough memory: the case graph needs more than " +
                                                m_strMaxMemory + " (--max-memory)"
                                          : std::string(kCaseGraphTooLarge);
        return false;
    }
    return true;
}

long long CHeadlessFrame::CaseGraphMemoryBudget() {
    return MemoryHeadroomBytes(m_nMaxMemory);
}
