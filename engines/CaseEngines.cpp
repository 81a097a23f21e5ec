#include "engines/CaseEngines.h"

#include "base/FormatString.h"

#include <climits>

namespace {

constexpr const char* kNames[] = {"auto", "explicit", "cases", "symbolic"};

// Per step: its record, its arc and label slots, and the explorer's arc with its event
// bits while the graph is made; per case: its node, its name and its texts.
constexpr long long kBytesPerStep = 64;
constexpr long long kBytesPerCase = 1024;

} // namespace

const char* CaseEngineName(ECaseEngine engine) {
    return kNames[static_cast<int>(engine)];
}

std::optional<ECaseEngine> ParseCaseEngine(const std::string& name) {
    for (int i = 0; i < 4; ++i)
        if (name == kNames[i])
            return static_cast<ECaseEngine>(i);
    return std::nullopt;
}

long long StoredGraphBytes(long long cases, UInt128 steps) {
    const UInt128 bytes = steps * kBytesPerStep + static_cast<UInt128>(cases) * kBytesPerCase;
    return bytes > static_cast<UInt128>(LLONG_MAX) ? LLONG_MAX : static_cast<long long>(bytes);
}

std::string MemoryText(long long bytes) {
    constexpr double kMB = 1024.0 * 1024.0;
    const double mb = static_cast<double>(bytes) / kMB;
    if (mb < 1024.0)
        return FormatString("%.0f MB", mb < 1.0 ? 1.0 : mb);
    if (mb < 1024.0 * 1024.0 * 1024.0)
        return FormatString("%.1f GB", mb / 1024.0);
    return "more than a petabyte";
}
