#pragma once

#include "base/COutputSink.h"
#include "base/OutputWriter.h"

#include <string>
#include <utility>
#include <vector>

// The output panes' lines while a script's call runs, in the order written (an error
// line as the pane shows it, "Error: ..."); the sink before is put back afterwards.
class CLineRecorder : public COutputSink {
public:
    CLineRecorder() : m_pPrevious(SetOutputSink(this)) {}
    ~CLineRecorder() override { SetOutputSink(m_pPrevious); }
    CLineRecorder(const CLineRecorder&) = delete;
    CLineRecorder& operator=(const CLineRecorder&) = delete;

    void AppendLine(int pane, const std::string& text) override { m_arrLines.push_back({pane, text}); }
    void ShowPane(int) override {}
    void ClearPane(int) override {}
    void Beep() override {}

    // Every line, or those of one pane.
    std::vector<std::string> Lines(int pane = -1) const {
        std::vector<std::string> lines;
        for (const auto& [p, text] : m_arrLines)
            if (pane < 0 || p == pane)
                lines.push_back(text);
        return lines;
    }

private:
    COutputSink* m_pPrevious;
    std::vector<std::pair<int, std::string>> m_arrLines;
};
