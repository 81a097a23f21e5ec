#pragma once

#include "app/bars/CDlgPropertiesBar.h"
#include "base/COutputSink.h"

#include <array>

class COutputCaption;
class QListWidget;
class QStackedWidget;
class QTabBar;

// The output window docked at the bottom of the main frame: five panes of lines
// behind tabs, a caption strip "Output" and a context menu. It is the sink of the
// output writer, so every part of the system writes here without knowing the window.
class COutputBar : public CDlgPropertiesBar, public COutputSink {
    Q_OBJECT

public:
    static constexpr int INITIAL_HEIGHT = 200;
    static constexpr int MINIMUM_HEIGHT = 100;
    // The most lines a pane keeps; the oldest tenth goes when a line more comes.
    static constexpr int MAX_LINES = 200000;

    explicit COutputBar(QWidget* pParent = nullptr);
    ~COutputBar() override;

    // Shows the pane's tab and lines; nothing when it is already shown.
    void SelectPane(int nPane);
    int GetCurrentPane() const { return m_nCurPane; }
    // With the flag panes 0, 1 and 2 are emptied (the legends stay); without it the
    // current pane.
    void ResetContent(bool bAll);
    bool IsCurrentPaneEmpty() const;
    QListWidget* GetListBox(int nPane) const;
    QTabBar* GetTabBar() const { return m_pTab; }

    // The frame's status bar height, 0 while it is hidden or in full screen.
    void SetTopOffset(int nOffset) { m_nTopOffset = nOffset; }
    int GetTopOffset() const { return m_nTopOffset; }
    // The height the docked bar keeps between showings.
    int GetStoredHeight() const { return m_nHeight; }
    // The height the bar takes when its caption is dragged to the screen line y: from
    // there down to the frame's status bar (m_nTopOffset above the frame's bottom), at
    // least MINIMUM_HEIGHT.
    void ResizeToCursor(int nGlobalY);

    // COutputSink
    void AppendLine(int nPane, const std::string& strText) override;
    // Queued: the pane comes to the front once the writer's caller returns to the loop.
    void ShowPane(int nPane) override;
    void ClearPane(int nPane) override;
    void Beep() override;

signals:
    // "Hide" (32798) or "Reset Content" (32799) from the context menu, for the frame.
    void CommandRequested(int nId);
    // A line of the pane was double-clicked (or Return pressed on it).
    void LineActivated(int nPane, const QString& strLine);

protected:
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    // Moves the written lines into the pane's list.
    void Flush(int nPane);

    void OnTabChanged(int nIndex);

    COutputCaption* m_pCaption = nullptr;
    QTabBar* m_pTab = nullptr;
    QStackedWidget* m_pStack = nullptr;
    std::array<QListWidget*, 5> m_list{};
    std::array<int, 5> m_nDropped{};
    std::array<bool, 5> m_bFlushQueued{};
    // Lines written while waiting for the list that no longer fit in it.
    std::array<long long, 5> m_nPendingSkipped{};
    // Lines written and not yet in their list.
    std::array<QStringList, 5> m_pending;
    int m_nCurPane = 0;
    int m_nTopOffset = 0;
    int m_nHeight = INITIAL_HEIGHT;
};
