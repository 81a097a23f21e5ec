#include "engines/CaseEngines.h"

#include "base/FormatString.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kNames[] = {"auto", "explicit", "cases", "symbolic"};

// Per step: its record, its arc and label slots, and the explorer's arc with its event
// bits while the graph is made; per case: its node, its name and its texts.
constexpr long long kBytesPerStep = 64;
constexpr long long kBytesPerCase = 1024;

// What keeping a step costs beside producing it (its record, its arc and label slots,
// its set of events found in the pool), and what a case costs (its node, its name and
// its texts), in seconds (measured on 2 cores of 2.5 GHz: 0.6 to 0.8 microseconds a step
// on philosophers, queens and contest nets; a case 1 to 10 by the length of its text).
constexpr double kSecondsToKeepStep = 0.7e-6;
constexpr double kSecondsPerCase = 5e-6;

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

double StoredGraphSeconds(long long cases, UInt128 steps, double stepsPerSecond) {
    const double perStep = 1.0 / std::max(stepsPerSecond, 1.0) + kSecondsToKeepStep;
    return static_cast<double>(steps) * perStep + static_cast<double>(cases) * kSecondsPerCase;
}

std::string DurationText(double seconds) {
    if (seconds < 10)
        return FormatString("%.1f s", seconds);
    if (seconds < 120)
        return FormatString("%.0f s", seconds);
    if (seconds < 2 * 3600)
        return FormatString("%.0f min", seconds / 60);
    if (seconds < 2 * 86400)
        return FormatString("%.1f h", seconds / 3600);
    if (seconds < 730 * 86400)
        return FormatString("%.0f days", seconds / 86400);
    return "years";
}

std::string CountText(UInt128 count) {
    const std::string digits = DecimalText(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
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
