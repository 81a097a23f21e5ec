#pragma once

#include <string>

class COutputSink;

// The system's only log: five panes of text lines.
constexpr int PANE_STANDARD = 0;
constexpr int PANE_SIMULATION = 1;
constexpr int PANE_ANALYSIS = 2;
constexpr int PANE_CASEGRAPH_LEGEND = 3;
constexpr int PANE_OCCURRENCENET_LEGEND = 4;
constexpr int OUTPUT_PANES = 5;

// Installs the sink the writer functions use (null: writing does nothing) and
// returns the one it replaces. The pane last written is forgotten (pane 0 again).
COutputSink* SetOutputSink(COutputSink* sink);
COutputSink* GetOutputSink();

// Appends a line to a pane and brings that pane to the front when it differs from
// the pane last written.
void WriteOutput(int pane, const std::string& text);
// Writes "Error: " followed by the text, then beeps.
void WriteError(int pane, const std::string& text);
// Brings a pane to the front as WriteOutput would, without writing.
void ShowOutputPane(int pane);
// Empties a pane.
void ClearOutputPane(int pane);
