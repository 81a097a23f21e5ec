#pragma once

#include "base/CRect.h"

#include <QDockWidget>
#include <QImage>
#include <QTimer>

#include <functional>

class CDiagramView;
class QPainter;
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
    // While frozen it reads nothing of the view or the document and shows the picture it
    // last drew.
    void Freeze(bool bFrozen);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The scale and the top-left corner of the page in the navigator.
    double Scale() const;
    QPointF Origin() const;
    void Paint();
    void PaintOn(QPainter& painter);
    void Follow(const QPointF& at);

    std::function<CDiagramView*()> m_activeView;
    QWidget* m_pCanvas;
    QTimer m_timer;
    // What the picture was drawn from.
    CDiagramView* m_pView = nullptr;
    unsigned long long m_nRevision = 0;
    CRect m_rectVisible;
    int m_nExtent = 0;
    // What the view shows changed this often (a part shown, the whole graph).
    unsigned long long m_nShown = 0;
    bool m_bFrozen = false;
    QImage m_imgLast;
};
