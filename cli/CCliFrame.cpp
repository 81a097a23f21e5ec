#include "cli/CCliFrame.h"

#include "platform/ProcessMemory.h"

bool CCliFrame::CaseGraphProgress(int cases, int /*arcs*/) {
    if (m_nMaxCases > 0 && cases > m_nMaxCases) {
        m_limitReached = "not enough memory: the case graph has more than " +
                         std::to_string(m_nMaxCases) + " cases (--max-cases)";
        return false;
    }
    if (m_nMaxMemory > 0 && ResidentBytes() > m_nMaxMemory) {
        m_limitReached = "not enough memory: the case graph needs more than " + m_strMaxMemory +
                         " (--max-memory)";
        return false;
    }
    return true;
}
