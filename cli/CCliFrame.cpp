#include "cli/CCliFrame.h"

#include <fstream>
#include <unistd.h>

namespace {

// The resident memory of the process in bytes, 0 where the system does not say.
long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * static_cast<long long>(sysconf(_SC_PAGESIZE));
}

} // namespace

bool CCliFrame::CaseGraphProgress(int cases, int /*arcs*/) {
    if (m_nMaxCases > 0 && cases > m_nMaxCases) {
        m_limitReached = "not enough memory: the case graph has more than " +
                         std::to_string(m_nMaxCases) + " cases (--max-cases)";
        return false;
    }
    if (m_nMaxMemory > 0 && ResidentBytes() > m_nMaxMemory) {
        m_limitReached =
            "not enough memory: the case graph needs more than " + m_strMaxMemory + " (--max-memory)";
        return false;
    }
    return true;
}
