#pragma once

#include "base/COutputSink.h"
#include "base/OutputWriter.h"

#include <array>
#include <string>
#include <vector>

// Collects what the output writer writes. Installs itself for its lifetime.
class RecordingOutputSink : public COutputSink {
public:
    RecordingOutputSink() { m_pPrevious = SetOutputSink(this); }
    ~RecordingOutputSink() override { SetOutputSink(m_pPrevious); }
    RecordingOutputSink(const RecordingOutputSink&) = delete;
    RecordingOutputSink& operator=(const RecordingOutputSink&) = delete;

    void AppendLine(int pane, const std::string& text) override {
        panes[pane].push_back(text);
        all.push_back({pane, text});
    }
    void ShowPane(int pane) override { shown.push_back(pane); }
    void ClearPane(int pane) override {
        panes[pane].clear();
        cleared.push_back(pane);
    }
    void Beep() override { ++beeps; }

    void Reset() {
        for (auto& p : panes)
            p.clear();
        all.clear();
        shown.clear();
        cleared.clear();
        beeps = 0;
    }

    struct Line {
        int pane;
        std::string text;
        bool operator==(const Line&) const = default;
    };

    std::array<std::vector<std::string>, OUTPUT_PANES> panes;
    std::vector<Line> all;
    std::vector<int> shown;
    std::vector<int> cleared;
    int beeps = 0;

private:
    COutputSink* m_pPrevious = nullptr;
};
