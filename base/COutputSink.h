#pragma once

#include <string>

// Where the output writer's lines go: the GUI's output bar, the command line's
// standard output, a recorder in tests. Installed by the program with SetOutputSink.
class COutputSink {
public:
    virtual ~COutputSink() = default;

    // Appends a line to a pane and scrolls it into view.
    virtual void AppendLine(int pane, const std::string& text) = 0;
    // Brings a pane to the front. The output bar does this as a queued notification,
    // so that a writer inside a nested loop does not repaint the bar synchronously.
    virtual void ShowPane(int pane) = 0;
    // Empties one pane.
    virtual void ClearPane(int pane) = 0;
    // Sounds the default beep after an error line.
    virtual void Beep() = 0;
};
