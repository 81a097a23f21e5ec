#pragma once

#include "base/CRect.h"

#include <QDockWidget>
#include <QTimer>

#include <functional>

class CDiagramView;
class QWidget;

// View > Navigator: the whole page of the active view in a small dockable window, the
// part the view shows framed in red. A click or a drag in it brings that place to the
// middle of the view. It draws the page again when the view moved or the document
// changed, looking a few times a second.
class CNavigatorBar : public QDockWidget {
    Q_OBJECT

public:
    // The view shown is asked for each time (null: none).
    explicit CNavigatorBar(std::function<CDiagramView*()> activeView, QWidget* pParent = nullptr);

    // The frame of what the view shows, in the navigator's pixels; empty without a view.
    QRect GetFrameRect() const;
    // The navigator's pixel at a logical point of the page, and back.
    QPointF ToNavigator(CPoint pt) const;
    CPoint ToLogical(const QPointF& pt) const;
    // Looks at once whether anything changed.
    void Poll();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The scale and the top-left corner of the page in the navigator.
    double Scale() const;
    QPointF Origin() const;
    void Paint();
    void Follow(const QPointF& at);

    std::function<CDiagramView*()> m_activeView;
    QWidget* m_pCanvas;
    QTimer m_timer;
    // What the picture was drawn from.
    CDiagramView* m_pView = nullptr;
    unsigned long long m_nRevision = 0;
    CRect m_rectVisible;
    int m_nExtent = 0;
};
