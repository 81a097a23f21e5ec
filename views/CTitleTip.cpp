#include "views/CTitleTip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace {
// Room for the border and a little space around the text.
constexpr int EXTRA_WIDTH = 7;
constexpr int EXTRA_HEIGHT = 5;
constexpr int TEXT_LEFT = 3;
constexpr int TEXT_TOP = 2;
// Distance kept from the right and bottom edges of the screen.
constexpr int SCREEN_GAP = 5;
} // namespace

CTitleTip::CTitleTip() {
    m_font = QApplication::font();
    m_font.setPixelSize(11);
    m_font.setWeight(QFont::Normal);
    const QPalette palette = QToolTip::palette();
    m_crText = palette.color(QPalette::ToolTipText);
    m_crBack = palette.color(QPalette::ToolTipBase);

    m_timerHide.setSingleShot(true);
    connect(&m_timerHide, &QTimer::timeout, this, &CTitleTip::Hide);
}

CTitleTip::~CTitleTip() {
    SetFiltering(false);
}

bool CTitleTip::Create(QWidget* pParentWnd) {
    if (pParentWnd == nullptr) {
        return false;
    }
    m_pParentWnd = pParentWnd;
    setParent(pParentWnd, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                              Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFont(m_font);
    return true;
}

void CTitleTip::Show(const QRect& rectTitle, const QString& strTitleText, int xoffset, int yoffset,
                     int nHideDelay) {
    if (m_pParentWnd == nullptr || strTitleText.isEmpty() ||
        QGuiApplication::applicationState() != Qt::ApplicationActive) {
        return;
    }
    m_strTitle = strTitleText;
    // Screen readers read the tip's text.
    setAccessibleName(strTitleText);
    m_listLines = strTitleText.split(u'\n');
    for (QString& strLine : m_listLines) {
        if (strLine.endsWith(u'\r')) {
            strLine.chop(1);
        }
    }
    m_rectTitle = QRect(m_pParentWnd->mapToGlobal(rectTitle.topLeft()), rectTitle.size());

    const QFontMetrics metrics(m_font);
    int nWidth = 0;
    for (const QString& strLine : m_listLines) {
        nWidth = std::max(nWidth, metrics.horizontalAdvance(strLine));
    }
    const QSize size(nWidth + EXTRA_WIDTH,
                     static_cast<int>(m_listLines.size()) * metrics.height() + EXTRA_HEIGHT);

    QPoint pos = m_pParentWnd->mapToGlobal(QPoint(xoffset, yoffset));
    QScreen* pScreen = QGuiApplication::screenAt(pos);
    if (pScreen == nullptr) {
        pScreen = m_pParentWnd->screen();
    }
    if (pScreen != nullptr) {
        const QRect rectScreen = pScreen->geometry();
        pos.setX(std::min(pos.x(), rectScreen.right() + 1 - SCREEN_GAP - size.width()));
        pos.setY(std::min(pos.y(), rectScreen.bottom() + 1 - SCREEN_GAP - size.height()));
    }
    setFixedSize(size);
    setGeometry(QRect(pos, size));
    update();
    if (!isVisible()) {
        show();
    }
    SetFiltering(true);
    if (nHideDelay > 0) {
        m_timerHide.start(nHideDelay);
    } else {
        m_timerHide.stop();
    }
}

void CTitleTip::Hide() {
    m_timerHide.stop();
    hide();
    SetFiltering(false);
}

void CTitleTip::SetFiltering(bool bFiltering) {
    if (bFiltering == m_bFiltering || QCoreApplication::instance() == nullptr) {
        return;
    }
    m_bFiltering = bFiltering;
    if (bFiltering) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool CTitleTip::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        Hide();
        break;
    case QEvent::MouseMove: {
        // The view shows the tip again while the mouse stays on the item; hiding it on
        // every move there would only make it flicker.
        const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        if (!m_rectTitle.contains(pMouse->globalPosition().toPoint())) {
            Hide();
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void CTitleTip::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    painter.fillRect(rect(), m_crBack);
    painter.setPen(m_crText);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    int y = TEXT_TOP;
    for (const QString& strLine : m_listLines) {
        painter.drawText(QRect(TEXT_LEFT, y, width() - TEXT_LEFT, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, strLine);
        y += metrics.height();
    }
}
