#pragma once

#include "base/WorkProgress.h"

#include <cstddef>

// The progress of a computation made of many small pieces: it says where it stands
// (done of total) when it gets there, and the meter tells the callback again every
// kWorkProgressEvery pieces, so that a cancel is heard within a moment even while the
// count does not move. Once cancelled it stays cancelled.
class CWorkMeter {
public:
    explicit CWorkMeter(const WorkProgress& progress) : m_progress(progress) {}

    // Where the computation stands, told at once; false once cancelled.
    bool Report(std::size_t done, std::size_t total) {
        m_nDone = done;
        m_nTotal = total;
        if (!m_bCancelled && m_progress && !m_progress(done, total))
            m_bCancelled = true;
        return !m_bCancelled;
    }
    // One more piece of work; false once cancelled.
    bool Tick() {
        if (++m_nWork % kWorkProgressEvery == 0)
            return Report(m_nDone, m_nTotal);
        return !m_bCancelled;
    }
    bool Cancelled() const { return m_bCancelled; }

private:
    const WorkProgress& m_progress;
    std::size_t m_nWork = 0;
    std::size_t m_nDone = 0;
    std::size_t m_nTotal = 0;
    bool m_bCancelled = false;
};
