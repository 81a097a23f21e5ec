#pragma once

#include "base/WorkProgress.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// What a long piece of work shares with the one who waits for it on another thread: the
// stage it is at, how far it has come in that stage, and the user's Cancel. The work
// polls the WorkProgress it is handed (Progress()); a poll after Cancel answers false,
// and the work stops at once. Every member may be called from any thread.
class CWorkMonitor {
public:
    CWorkMonitor();
    CWorkMonitor(const CWorkMonitor&) = delete;
    CWorkMonitor& operator=(const CWorkMonitor&) = delete;

    // The callback the work polls: it keeps done and total and answers whether the work
    // goes on. It refers to the monitor, which must outlive the work.
    WorkProgress Progress();
    // One poll without a count (work that cannot say how far it has come).
    bool Poll();
    // A stage of the work begins: its text, counted from nought again.
    void SetStage(const std::string& text);
    // From now on every poll answers false.
    void Cancel() { m_bCancelled = true; }

    bool IsCancelled() const { return m_bCancelled; }

    // What the waiting side shows.
    struct Reading {
        std::string stage;
        std::size_t done = 0;
        std::size_t total = 0;
        // How often the work polled, and the longest it went without a poll (seconds),
        // from the start to now.
        std::uint64_t polls = 0;
        double longestGap = 0.0;
    };
    Reading Read() const;
    // Told every poll with what the monitor reads then, on the work's thread; false
    // cancels the work there (a test drives the work's every way out with it). Set
    // before the work starts.
    using PollHook = std::function<bool(const Reading&)>;
    void SetPollHook(PollHook hook) { m_pollHook = std::move(hook); }

private:
    using Clock = std::chrono::steady_clock;
    // A poll, with the count when the work told one.
    void Polled(const std::size_t* done, std::size_t total);

    std::atomic<bool> m_bCancelled = false;
    mutable std::mutex m_mutex;
    std::string m_strStage;
    std::size_t m_nDone = 0;
    std::size_t m_nTotal = 0;
    std::uint64_t m_nPolls = 0;
    Clock::time_point m_lastPoll;
    Clock::duration m_longestGap{};
    PollHook m_pollHook;
};
