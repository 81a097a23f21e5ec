#pragma once

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
};
