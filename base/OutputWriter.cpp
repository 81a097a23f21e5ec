#include "OutputWriter.h"

#include "COutputSink.h"

namespace {

// The writer is the one program-wide service: any part of the system may write
// without knowing the window that shows the lines.
struct WriterState {
    COutputSink* sink = nullptr;
    int lastPane = 0;
};

WriterState& State() {
    static WriterState state;
    return state;
}

bool IsPane(int pane) {
    return pane >= 0 && pane < OUTPUT_PANES;
}

void SwitchTo(int pane) {
    WriterState& s = State();
    if (pane != s.lastPane)
        s.sink->ShowPane(pane);
    s.lastPane = pane;
}

} // namespace

COutputSink* SetOutputSink(COutputSink* sink) {
    WriterState& s = State();
    COutputSink* old = s.sink;
    s.sink = sink;
    s.lastPane = 0;
    return old;
}

COutputSink* GetOutputSink() {
    return State().sink;
}

void WriteOutput(int pane, const std::string& text) {
    WriterState& s = State();
    if (!s.sink || !IsPane(pane))
        return;
    s.sink->AppendLine(pane, text);
    SwitchTo(pane);
}

void WriteError(int pane, const std::string& text) {
    WriterState& s = State();
    if (!s.sink || !IsPane(pane))
        return;
    WriteOutput(pane, "Error: " + text);
    s.sink->Beep();
}

void ShowOutputPane(int pane) {
    if (State().sink && IsPane(pane))
        SwitchTo(pane);
}

void ClearOutputPane(int pane) {
    WriterState& s = State();
    if (s.sink && IsPane(pane))
        s.sink->ClearPane(pane);
}
