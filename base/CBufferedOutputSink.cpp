#include "base/CBufferedOutputSink.h"

#include <utility>

void CBufferedOutputSink::AppendLine(int pane, const std::string& text) {
    if (!IsPane(pane))
        return;
    std::lock_guard lock(m_mutex);
    Pane& p = m_panes[static_cast<std::size_t>(pane)];
    p.lines.push_back(text);
    if (p.lines.size() > m_nLimit) {
        p.lines.pop_front();
        ++p.dropped;
    }
}

void CBufferedOutputSink::ShowPane(int pane) {
    std::lock_guard lock(m_mutex);
    if (IsPane(pane))
        m_nShown = pane;
}

void CBufferedOutputSink::ClearPane(int pane) {
    if (!IsPane(pane))
        return;
    std::lock_guard lock(m_mutex);
    Pane& p = m_panes[static_cast<std::size_t>(pane)];
    p = Pane();
    p.cleared = true;
}

void CBufferedOutputSink::Beep() {
    std::lock_guard lock(m_mutex);
    m_bBeep = true;
}

std::size_t CBufferedOutputSink::Written(int pane) const {
    if (!IsPane(pane))
        return 0;
    std::lock_guard lock(m_mutex);
    const Pane& p = m_panes[static_cast<std::size_t>(pane)];
    return p.lines.size() + p.dropped;
}

void CBufferedOutputSink::Replay(COutputSink& to) {
    std::array<Pane, kPanes> panes;
    int shown = -1;
    bool beep = false;
    {
        std::lock_guard lock(m_mutex);
        panes.swap(m_panes);
        shown = std::exchange(m_nShown, -1);
        beep = std::exchange(m_bBeep, false);
    }
    for (int i = 0; i < kPanes; ++i) {
        Pane& p = panes[static_cast<std::size_t>(i)];
        if (p.cleared)
            to.ClearPane(i);
        if (p.dropped > 0)
            to.AppendLine(i,
                          "(" + std::to_string(p.dropped) + " earlier lines are no longer shown)");
        for (const std::string& line : p.lines)
            to.AppendLine(i, line);
    }
    if (shown >= 0)
        to.ShowPane(shown);
    if (beep)
        to.Beep();
}
