#include "python/CInterruptWatch.h"

#include "platform/CHeadlessFrame.h"

namespace {

// How often the interpreter is asked for a signal: a Ctrl+C stops the work well within
// a fifth of a second.
constexpr std::chrono::milliseconds kCheckEvery{10};

} // namespace

CInterruptWatch::CInterruptWatch(CHeadlessFrame& frame)
    : m_frame(frame), m_thread(std::this_thread::get_id()),
      m_nextCheck(std::chrono::steady_clock::now() + kCheckEvery) {
    m_frame.SetCancelled([this] { return Cancelled(); });
}

CInterruptWatch::~CInterruptWatch() {
    m_frame.SetCancelled({});
}

bool CInterruptWatch::Cancelled() {
    if (m_raised)
        return true;
    // Signals are handled on the main thread only, the one that runs the call.
    if (std::this_thread::get_id() != m_thread)
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now < m_nextCheck)
        return false;
    m_nextCheck = now + kCheckEvery;
    pybind11::gil_scoped_acquire hold;
    if (PyErr_CheckSignals() == 0)
        return false;
    m_raised.emplace();
    return true;
}

void CInterruptWatch::Finish() {
    if (m_raised)
        throw pybind11::error_already_set(*m_raised);
}
