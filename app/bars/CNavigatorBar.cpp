#include "app/bars/CNavigatorBar.h"

#include "document/CZerinDoc.h"
#include "platform/CQtDC.h"
#include "views/CDiagramView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kBorder = 4;
}

CNavigatorBar::CNavigatorBar(std::function<CDiagramView*()> activeView, QWidget* pParent)
    : QDockWidget(QStringLiteral("Navigator"), pParent), m_activeView(std::move(activeView)),
      m_pCanvas(new QWidget(this)) {
    setObjectName(QStringLiteral("NavigatorBar"));
    m_pCanvas->setMinimumSize(160, 120);
    m_pCanvas->setAccessibleName(QStringLiteral("Navigator"));
    m_pCanvas->setToolTip(QStringLiteral("Click or drag to show that part of the page"));
    m_pCanvas->setCursor(Qt::PointingHandCursor);
    m_pCanvas->installEventFilter(this);
    setWidget(m_pCanvas);
    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, &CNavigatorBar::Poll);
    m_timer.start();
}

void CNavigatorBar::Poll() {
    if (!isVisible() || m_bFrozen)
        return;
    CDiagramView* pView = m_activeView();
    const unsigned long long revision = pView ? pView->GetDocument().Revision() : 0;
    const CRect visible = pView ? pView->GetVisibleRect() : CRect();
    const int extent = pView ? pView->GetExtent().cx * 65536 + pView->GetExtent().cy : 0;
    const unsigned long long shown = pView ? pView->GetShownChanges() : 0;
    if (pView == m_pView && revision == m_nRevision && visible == m_rectVisible &&
        extent == m_nExtent && shown == m_nShown)
        return;
    m_pView = pView;
    m_nRevision = revision;
    m_rectVisible = visible;
    m_nExtent = extent;
    m_nShown = shown;
    m_pCanvas->update();
}

void CNavigatorBar::Freeze(bool bFrozen) {
    m_bFrozen = bFrozen;
    if (!bFrozen) {
        m_pView = nullptr;
        Poll();
    }
}

double CNavigatorBar::Scale() const {
    CDiagramView* pView = m_activeView();
    if (!pView)
        return 1.0;
    const CSize extent = pView->GetExtent();
    const double sx = (m_pCanvas->width() - 2.0 * kBorder) / std::max(1, extent.cx);
    const double sy = (m_pCanvas->height() - 2.0 * kBorder) / std::max(1, extent.cy);
    return std::max(1e-4, std::min(sx, sy));
}

QPointF CNavigatorBar::Origin() const {
    CDiagramView* pView = m_activeView();
    if (!pView)
        return {};
    const CSize extent = pView->GetExtent();
    const double s = Scale();
    return {(m_pCanvas->width() - s * extent.cx) / 2, (m_pCanvas->height() - s * extent.cy) / 2};
}

QPointF CNavigatorBar::ToNavigator(CPoint pt) const {
    const double s = Scale();
    return Origin() + QPointF(s * pt.x, s * pt.y);
}

CPoint CNavigatorBar::ToLogical(const QPointF& pt) const {
    const double s = Scale();
    const QPointF p = (pt - Origin()) / s;
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

QRect CNavigatorBar::GetFrameRect() const {
    CDiagramView* pView = m_activeView();
    if (!pView)
        return {};
    const CRect visible = pView->GetVisibleRect();
    return QRectF(ToNavigator(visible.TopLeft()),
                  ToNavigator(CPoint(visible.right, visible.bottom)))
        .toAlignedRect();
}

void CNavigatorBar::Paint() {
    QPainter painter(m_pCanvas);
    if (m_bFrozen) {
        painter.fillRect(m_pCanvas->rect(), palette().window());
        painter.drawImage(QPoint(0, 0), m_imgLast);
        return;
    }
    // Drawn into a picture kept for the times the navigator is frozen.
    const qreal ratio = m_pCanvas->devicePixelRatioF();
    QImage image(m_pCanvas->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    {
        QPainter imagePainter(&image);
        PaintOn(imagePainter);
    }
    painter.drawImage(QPoint(0, 0), image);
    m_imgLast = image;
}

void CNavigatorBar::PaintOn(QPainter& painter) {
    painter.fillRect(m_pCanvas->rect(), palette().window());
    CDiagramView* pView = m_activeView();
    if (!pView)
        return;
    const CSize extent = pView->GetExtent();
    const double s = Scale();
    const QPointF origin = Origin();
    painter.fillRect(QRectF(origin, QSizeF(s * extent.cx, s * extent.cy)), Qt::white);
    painter.save();
    painter.translate(origin);
    painter.scale(s, s);
    {
        CQtDC dc(painter);
        pView->DrawModelScaled(dc, CRect(0, 0, extent.cx, extent.cy), s);
    }
    painter.restore();
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(GetFrameRect());
}

void CNavigatorBar::Follow(const QPointF& at) {
    if (CDiagramView* pView = m_activeView()) {
        pView->CenterOn(ToLogical(at));
        Poll();
    }
}

bool CNavigatorBar::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched != m_pCanvas)
        return QDockWidget::eventFilter(pWatched, pEvent);
    switch (pEvent->type()) {
    case QEvent::Paint:
        Paint();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        if (pMouse->buttons() & Qt::LeftButton)
            Follow(pMouse->position());
        return true;
    }
    default:
        return QDockWidget::eventFilter(pWatched, pEvent);
    }
}
