#pragma once

#include "properties/CCheckLimits.h"
#include "properties/CPropertyResult.h"

#include <chrono>
#include <cstddef>

// Thrown when a check reaches one of its limits; the engines let it pass to the checker,
// which leaves what is undecided "cannot compute" for the reason.
struct CCheckStopped {
    EStopReason reason;
};

// Keeps a check within its limits: the engines count their work with Tick, which looks
// at the clock, the memory and the user every kCheckEvery units.
class CCheckBudget {
public:
    static constexpr std::size_t kCheckEvery = 1024;

    explicit CCheckBudget(const CCheckLimits& limits);

    // One unit of work done (a case expanded, a product state met); bytes() tells what
    // the engine's tables take, asked only when the limits are looked at. Throws
    // CCheckStopped past a limit.
    template <class Bytes> void Tick(const Bytes& bytes) {
        if (++m_nWork % kCheckEvery == 0)
            Check(bytes());
    }
    // Looks at the limits now.
    void Check(std::size_t bytes);
    // Whether the bytes would pass the memory limit: what an engine asks before a large
    // table.
    bool Affords(std::size_t bytes) const {
        return m_limits.maxBytes == 0 || bytes <= m_limits.maxBytes;
    }
    double Elapsed() const;

private:
    CCheckLimits m_limits;
    std::chrono::steady_clock::time_point m_start;
    std::size_t m_nWork = 0;
};
