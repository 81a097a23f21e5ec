#pragma once

#include "base/COutputSink.h"

#include <ostream>

// The output panes on a text stream: every line in the order written, exactly as the
// pane shows it. Bringing a pane to the front, emptying it and the beep have no
// counterpart on a terminal.
class CStreamOutputSink : public COutputSink {
public:
    explicit CStreamOutputSink(std::ostream& out) : m_out(out) {}

    void AppendLine(int pane, const std::string& text) override;
    void ShowPane(int) override {}
    void ClearPane(int) override {}
    void Beep() override {}

private:
    std::ostream& m_out;
};
