#include "platform/ProcessMemory.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * static_cast<long long>(sysconf(_SC_PAGESIZE));
}

long long PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<long long>(pages) * size : 0;
}

long long MemoryHeadroomBytes(long long limit) {
    if (limit <= 0)
        limit = PhysicalMemoryBytes() / 10 * 8;
    long long room = limit > 0 ? limit - ResidentBytes() : LLONG_MAX;
    rlimit addressSpace{};
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY) {
        std::ifstream statm("/proc/self/statm");
        long long pages = 0;
        statm >> pages;
        const long long used = pages * static_cast<long long>(sysconf(_SC_PAGESIZE));
        room = std::min(room, static_cast<long long>(addressSpace.rlim_cur) - used);
    }
    return std::max(1LL, room);
}
