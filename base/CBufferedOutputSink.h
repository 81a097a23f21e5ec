#pragma once

#include "base/COutputSink.h"

#include <array>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

// Holds what is written while a piece of work runs on another thread, for the window
// to take once the work has ended: all of it when the work completed (Replay), none of
// it when the work was cancelled, so that nothing half written reaches a pane. A pane
// keeps at most its limit of the last lines and counts those that went before. Every
// member may be called from any thread.
class CBufferedOutputSink : public COutputSink {
public:
    static constexpr int kPanes = 5;
    explicit CBufferedOutputSink(std::size_t linesPerPane = 200000) : m_nLimit(linesPerPane) {}

    void AppendLine(int pane, const std::string& text) override;
    void ShowPane(int pane) override;
    void ClearPane(int pane) override;
    void Beep() override;

    // Writes what was held to the sink in the order it came, pane by pane: a pane
    // emptied first, a line telling how many lines went past the limit, the lines kept;
    // then the pane last shown and a beep. The buffer is empty afterwards.
    void Replay(COutputSink& to);
    // The lines written to the pane since the last replay (those past the limit too).
    std::size_t Written(int pane) const;

private:
    struct Pane {
        bool cleared = false;
        std::deque<std::string> lines;
        std::size_t dropped = 0;
    };
    bool IsPane(int pane) const { return pane >= 0 && pane < kPanes; }

    std::size_t m_nLimit;
    mutable std::mutex m_mutex;
    std::array<Pane, kPanes> m_panes;
    int m_nShown = -1;
    bool m_bBeep = false;
};
