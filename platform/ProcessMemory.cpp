#include "platform/ProcessMemory.h"

#include <fstream>
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
