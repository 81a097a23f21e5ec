#pragma once

#include "base/WorkProgress.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>
#include <thread>

class CHeadlessFrame;

// Ctrl+C during a long computation of a script's call, which runs with the interpreter
// let go (other Python threads go on). Every progress report asks the interpreter, at
// most every few milliseconds, whether a signal came; when a handler raised (a
// KeyboardInterrupt) the work is cancelled, and Finish raises it.
class CInterruptWatch {
public:
    // The frame's computations ask Cancelled while the watch lives.
    explicit CInterruptWatch(CHeadlessFrame& frame);
    ~CInterruptWatch();
    CInterruptWatch(const CInterruptWatch&) = delete;
    CInterruptWatch& operator=(const CInterruptWatch&) = delete;

    // Whether a signal's handler raised: the work stops.
    bool Cancelled();
    // The same as a work progress.
    WorkProgress Progress() {
        return [this](std::size_t, std::size_t) { return !Cancelled(); };
    }
    // Raises what the handler raised, where it did.
    void Finish();

private:
    CHeadlessFrame& m_frame;
    std::thread::id m_thread;
    std::chrono::steady_clock::time_point m_nextCheck;
    std::optional<pybind11::error_already_set> m_raised;
};
