#pragma once

#include "base/CWorkMonitor.h"

#include <functional>
#include <string>

class CPNElement;

// What a diagram view asks of the main window around it.
class CViewHost {
public:
    virtual ~CViewHost() = default;

    // Pane 1 of the status bar shows "P %d, %d" with the logical position.
    virtual void SetStatusPosition(int x, int y) = 0;
    // The status bar shows the active view's zoom in percent.
    virtual void SetStatusZoom(int /*percent*/) {}
    // The properties page of the kind (0 polygon, 1 label, 2 condition, 3 event,
    // 4 hide, 5 simulation) shows the element.
    virtual void ShowPropertiesPage(int kind, CPNElement* element) = 0;
    // The current page re-reads its element.
    virtual void RefreshPropertiesPage() = 0;
    // The output bar is hidden while a page is printed, and shown again as it was once
    // the printing or the preview is over.
    virtual void HideOutputBarForPrinting() = 0;
    virtual void RestoreOutputBarAfterPrinting() {}
    // Runs a long computation off the window's thread: the window goes on answering,
    // shows the work's progress with Cancel, and touches nothing of the document while
    // it runs. The work polls the monitor (its stage, its count) and, once the monitor
    // says it was cancelled, returns false with the document as it found it. True when
    // it ran to its end. What the work writes to the output panes reaches them once it
    // has ended, and not at all when it was cancelled. Without a window it runs at once
    // on the caller's thread.
    virtual bool RunTask(const std::string& title, const std::function<bool(CWorkMonitor&)>& work);

protected:
    // Runs the work at once with the monitor, what it writes held back as RunTask says.
    static bool RunHere(CWorkMonitor& monitor, const std::function<bool(CWorkMonitor&)>& work);
};
