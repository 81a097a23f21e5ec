#include "app/controls/CColourPopup.h"

#include "app/controls/ColourConversion.h"
#include "app/controls/ColourTable.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>
#include <vector>

namespace {
// The width of the 3-D edges the popup draws; it is also the margin around the grid.
constexpr int EDGE_WIDTH = 2;
} // namespace

CColourPopup::CColourPopup(QPoint pos, COLORREF crColour, QWidget* pParentWnd,
                           const QString& strDefaultText, const QString& strCustomText, int nID)
    : QWidget(pParentWnd, Qt::Popup), m_crInitialColour(crColour), m_crColour(crColour),
      m_strDefaultText(strDefaultText), m_strCustomText(strCustomText),
      m_font(QApplication::font("QMessageBox")), m_pParent(pParentWnd), m_nID(nID) {
    m_nNumColours = GetColourCount();
    m_nNumRows = (m_nNumColours + m_nNumColumns - 1) / m_nNumColumns;
    m_nMargin = EDGE_WIDTH;
    // The colour square inside a cell must stay at least 5 x 5.
    if (m_nBoxSize - 2 * m_nMargin - 2 < 5) {
        m_nBoxSize = 2 * m_nMargin + 7;
    }

    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMouseReplay);

    FindCellFromColour(crColour);
    m_nCurrentSel = m_nChosenColourSel;
    if (m_nChosenColourSel >= 0) {
        m_nColumn = m_nChosenColourSel % m_nNumColumns;
    }
    SetWindowSize(pos);

    // Switching to another application ends the choice, as a click elsewhere would.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive && !m_bChildWindowVisible) {
                    EndSelection(false);
                }
            });

    show();
    setFocus(Qt::PopupFocusReason);
}

CColourPopup::~CColourPopup() = default;

int CColourPopup::GetColourCount() {
    return static_cast<int>(kColourTable.size());
}

COLORREF CColourPopup::GetColour(int nIndex) {
    return nIndex >= 0 && nIndex < GetColourCount() ? kColourTable[nIndex].crColour : 0;
}

QString CColourPopup::GetColourName(int nIndex) {
    return nIndex >= 0 && nIndex < GetColourCount() ? QString::fromUtf8(kColourTable[nIndex].szName)
                                                    : QString();
}

QRect CColourPopup::GetCellRect(int nIndex) const {
    if (nIndex == DEFAULT_BOX_VALUE) {
        return m_rectDefaultText;
    }
    if (nIndex == CUSTOM_BOX_VALUE) {
        return m_rectCustomText;
    }
    if (nIndex < 0 || nIndex >= m_nNumColours) {
        return QRect();
    }
    const int nRow = nIndex / m_nNumColumns;
    const int nColumn = nIndex % m_nNumColumns;
    return QRect(m_nMargin + nColumn * m_nBoxSize, m_nGridTop + nRow * m_nBoxSize, m_nBoxSize,
                 m_nBoxSize);
}

int CColourPopup::HitTest(QPoint point) const {
    if (m_rectDefaultText.contains(point)) {
        return DEFAULT_BOX_VALUE;
    }
    if (m_rectCustomText.contains(point)) {
        return CUSTOM_BOX_VALUE;
    }
    const QRect rectGrid(m_nMargin, m_nGridTop, m_nNumColumns * m_nBoxSize,
                         m_nNumRows * m_nBoxSize);
    if (!rectGrid.contains(point)) {
        return INVALID_COLOUR;
    }
    const int nIndex = (point.y() - m_nGridTop) / m_nBoxSize * m_nNumColumns +
                       (point.x() - m_nMargin) / m_nBoxSize;
    return nIndex < m_nNumColours ? nIndex : INVALID_COLOUR;
}

void CColourPopup::SetWindowSize(QPoint pos) {
    const QFontMetrics metrics(m_font);
    int nTextWidth = 0;
    if (!m_strDefaultText.isEmpty()) {
        nTextWidth = std::max(nTextWidth, metrics.horizontalAdvance(m_strDefaultText));
    }
    if (!m_strCustomText.isEmpty()) {
        nTextWidth = std::max(nTextWidth, metrics.horizontalAdvance(m_strCustomText));
    }
    const int nTextHeight = metrics.height();

    int nWidth = m_nNumColumns * m_nBoxSize + 2 * m_nMargin;
    const bool bText = !m_strDefaultText.isEmpty() || !m_strCustomText.isEmpty();
    if (bText) {
        // Room for the text, its frame when hot, and the outer border.
        nWidth = std::max(nWidth, nTextWidth + 4 * m_nMargin);
    }
    // A text row: the framed text, then a separating line with a margin on each side.
    const int nRowHeight = nTextHeight + 4 * m_nMargin + 2;
    const int nTextBoxHeight = nTextHeight + 2 * m_nMargin;

    int y = m_nMargin;
    m_rectDefaultText = QRect();
    if (!m_strDefaultText.isEmpty()) {
        m_rectDefaultText = QRect(m_nMargin, y, nWidth - 2 * m_nMargin, nTextBoxHeight);
        y += nRowHeight;
    }
    m_nGridTop = y;
    y += m_nNumRows * m_nBoxSize;
    m_rectCustomText = QRect();
    if (!m_strCustomText.isEmpty()) {
        m_rectCustomText = QRect(m_nMargin, y + nRowHeight - nTextBoxHeight, nWidth - 2 * m_nMargin,
                                 nTextBoxHeight);
        y += nRowHeight;
    }
    const int nHeight = y + m_nMargin;

    QRect rectWindow(pos, QSize(nWidth, nHeight));
    QScreen* pScreen = QGuiApplication::screenAt(pos);
    if (pScreen == nullptr) {
        pScreen = m_pParent != nullptr ? m_pParent->screen() : QGuiApplication::primaryScreen();
    }
    if (pScreen != nullptr) {
        const QRect rectScreen = pScreen->availableGeometry();
        if (rectWindow.right() > rectScreen.right()) {
            rectWindow.translate(rectScreen.right() - rectWindow.right(), 0);
        }
        if (rectWindow.left() < rectScreen.left()) {
            rectWindow.translate(rectScreen.left() - rectWindow.left(), 0);
        }
        // Opened below its control, the popup goes above the control instead.
        if (rectWindow.bottom() > rectScreen.bottom()) {
            const int nParentHeight = m_pParent != nullptr ? m_pParent->height() : 0;
            rectWindow.translate(0, -(nParentHeight + rectWindow.height()));
        }
    }
    setFixedSize(rectWindow.size());
    setGeometry(rectWindow);
}

void CColourPopup::FindCellFromColour(COLORREF crColour) {
    if (crColour == CLR_DEFAULT && !m_strDefaultText.isEmpty()) {
        m_nChosenColourSel = DEFAULT_BOX_VALUE;
        return;
    }
    for (int i = 0; i < m_nNumColours; ++i) {
        if (GetColour(i) == crColour) {
            m_nChosenColourSel = i;
            return;
        }
    }
    m_nChosenColourSel = m_strCustomText.isEmpty() ? INVALID_COLOUR : CUSTOM_BOX_VALUE;
}

COLORREF CColourPopup::GetCellColour(int nIndex) const {
    if (nIndex == DEFAULT_BOX_VALUE) {
        return CLR_DEFAULT;
    }
    if (nIndex == CUSTOM_BOX_VALUE) {
        return m_crInitialColour;
    }
    return GetColour(nIndex);
}

bool CColourPopup::IsCellPresent(int nIndex) const {
    if (nIndex == DEFAULT_BOX_VALUE) {
        return !m_strDefaultText.isEmpty();
    }
    if (nIndex == CUSTOM_BOX_VALUE) {
        return !m_strCustomText.isEmpty();
    }
    return nIndex >= 0 && nIndex < m_nNumColours;
}

void CColourPopup::ChangeSelection(int nIndex) {
    if (nIndex == m_nCurrentSel || !IsCellPresent(nIndex)) {
        return;
    }
    m_nCurrentSel = nIndex;
    if (nIndex >= 0) {
        m_nColumn = nIndex % m_nNumColumns;
    }
    update();
    emit HotChanged(GetCellColour(nIndex), m_nID);
}

// Left and right walk the cells in reading order, through the text rows, round and round.
int CColourPopup::StepCell(int nIndex, int nStep) const {
    std::vector<int> order;
    if (!m_strDefaultText.isEmpty()) {
        order.push_back(DEFAULT_BOX_VALUE);
    }
    for (int i = 0; i < m_nNumColours; ++i) {
        order.push_back(i);
    }
    if (!m_strCustomText.isEmpty()) {
        order.push_back(CUSTOM_BOX_VALUE);
    }
    const auto it = std::find(order.begin(), order.end(), nIndex);
    if (it == order.end()) {
        return 0;
    }
    const int nCount = static_cast<int>(order.size());
    const int nPosition = static_cast<int>(it - order.begin());
    return order[static_cast<std::size_t>(((nPosition + nStep) % nCount + nCount) % nCount)];
}

// Up and down walk the rows, the text rows being rows of their own, and keep the column.
int CColourPopup::StepRow(int nIndex, int nStep) const {
    // Rows are numbered from the default row (-1) through the grid to the custom row.
    const int nFirst = m_strDefaultText.isEmpty() ? 0 : -1;
    const int nLast = m_strCustomText.isEmpty() ? m_nNumRows - 1 : m_nNumRows;
    int nRow = 0;
    if (nIndex == DEFAULT_BOX_VALUE) {
        nRow = -1;
    } else if (nIndex == CUSTOM_BOX_VALUE) {
        nRow = m_nNumRows;
    } else if (nIndex >= 0) {
        nRow = nIndex / m_nNumColumns;
    } else {
        return 0;
    }
    const int nCount = nLast - nFirst + 1;
    nRow = nFirst + ((nRow - nFirst + nStep) % nCount + nCount) % nCount;
    if (nRow < 0) {
        return DEFAULT_BOX_VALUE;
    }
    if (nRow >= m_nNumRows) {
        return CUSTOM_BOX_VALUE;
    }
    return std::min(nRow * m_nNumColumns + m_nColumn, m_nNumColours - 1);
}

void CColourPopup::EndSelection(bool bChosen) {
    if (m_bEnded || m_bChildWindowVisible) {
        return;
    }
    if (!bChosen) {
        Finish(false, m_crInitialColour);
        return;
    }
    if (m_nCurrentSel == INVALID_COLOUR) {
        return; // nothing to choose yet
    }
    if (m_nCurrentSel == CUSTOM_BOX_VALUE) {
        ChooseCustomColour();
        return;
    }
    Finish(true, GetCellColour(m_nCurrentSel));
}

void CColourPopup::ChooseCustomColour() {
    m_bChildWindowVisible = true;
    // Out of the popup's grab, so that the dialog gets the mouse and the keyboard.
    hide();

    const QPointer<CColourPopup> pSelf(this);
    const QPointer<QColorDialog> pDialog = new QColorDialog(ToQColor(m_crInitialColour), m_pParent);
    const bool bAccepted = pDialog->exec() == QDialog::Accepted;
    const QColor colour = pDialog != nullptr ? pDialog->selectedColor() : QColor();
    delete pDialog.data();
    if (pSelf == nullptr) {
        return; // the owner went away while the dialog was open
    }
    m_bChildWindowVisible = false;
    if (bAccepted && colour.isValid()) {
        Finish(true, ToColorRef(colour));
    } else {
        Finish(false, m_crInitialColour);
    }
}

void CColourPopup::Finish(bool bChosen, COLORREF crColour) {
    m_bEnded = true;
    m_crColour = crColour;
    close();
    if (bChosen) {
        emit ColourChosen(crColour, m_nID);
    } else {
        emit Cancelled(crColour, m_nID);
    }
    deleteLater();
}

bool CColourPopup::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::ToolTip) {
        const auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        const int nIndex = HitTest(pHelp->pos());
        if (nIndex >= 0) {
            QToolTip::showText(pHelp->globalPos(), GetColourName(nIndex), this,
                               GetCellRect(nIndex));
        } else {
            QToolTip::hideText();
            pEvent->ignore();
        }
        return true;
    }
    return QWidget::event(pEvent);
}

void CColourPopup::DrawCell(QPainter& painter, int nIndex) {
    const QRect rect = GetCellRect(nIndex);
    const QPalette& pal = palette();
    if (nIndex == m_nChosenColourSel) {
        qDrawWinPanel(&painter, rect, pal, true);
    } else if (nIndex == m_nCurrentSel) {
        qDrawWinPanel(&painter, rect, pal, false);
    }
    if (nIndex < 0) {
        painter.setFont(m_font);
        painter.setPen(pal.color(QPalette::ButtonText));
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                         nIndex == DEFAULT_BOX_VALUE ? m_strDefaultText : m_strCustomText);
        return;
    }
    const QRect rectSquare = rect.adjusted(m_nMargin, m_nMargin, -m_nMargin, -m_nMargin);
    painter.setPen(pal.color(QPalette::Dark));
    painter.setBrush(ToQColor(GetColour(nIndex)));
    painter.drawRect(rectSquare.adjusted(0, 0, -1, -1));
}

void CColourPopup::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.button());

    if (!m_strDefaultText.isEmpty()) {
        DrawCell(painter, DEFAULT_BOX_VALUE);
        const int y = m_rectDefaultText.bottom() + 1 + m_nMargin;
        qDrawShadeLine(&painter, m_nMargin, y, width() - m_nMargin - 1, y, pal, true, 1, 0);
    }
    if (!m_strCustomText.isEmpty()) {
        DrawCell(painter, CUSTOM_BOX_VALUE);
        const int y = m_rectCustomText.top() - m_nMargin - 2;
        qDrawShadeLine(&painter, m_nMargin, y, width() - m_nMargin - 1, y, pal, true, 1, 0);
    }
    for (int i = 0; i < m_nNumColours; ++i) {
        DrawCell(painter, i);
    }
    qDrawWinPanel(&painter, rect(), pal, false);
}

void CColourPopup::mouseMoveEvent(QMouseEvent* pEvent) {
    const int nIndex = HitTest(pEvent->position().toPoint());
    if (nIndex != INVALID_COLOUR) {
        ChangeSelection(nIndex);
    }
}

// The press alone decides nothing: the release does, inside or outside the popup.
void CColourPopup::mousePressEvent(QMouseEvent* pEvent) {
    pEvent->accept();
}

void CColourPopup::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = pEvent->position().toPoint();
    if (rect().contains(point)) {
        const int nIndex = HitTest(point);
        if (nIndex != INVALID_COLOUR) {
            ChangeSelection(nIndex);
        }
        EndSelection(true);
    } else {
        EndSelection(false);
    }
}

void CColourPopup::keyPressEvent(QKeyEvent* pEvent) {
    switch (pEvent->key()) {
    case Qt::Key_Right:
        ChangeSelection(StepCell(m_nCurrentSel, 1));
        break;
    case Qt::Key_Left:
        ChangeSelection(StepCell(m_nCurrentSel, -1));
        break;
    case Qt::Key_Down:
        ChangeSelection(StepRow(m_nCurrentSel, 1));
        break;
    case Qt::Key_Up:
        ChangeSelection(StepRow(m_nCurrentSel, -1));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        EndSelection(true);
        break;
    case Qt::Key_Escape:
        EndSelection(false);
        break;
    default:
        QWidget::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
}

// Closed by anything but a choice (the window system, the application) is a cancel.
void CColourPopup::closeEvent(QCloseEvent* pEvent) {
    if (!m_bEnded && !m_bChildWindowVisible) {
        m_bEnded = true;
        emit Cancelled(m_crInitialColour, m_nID);
        deleteLater();
    }
    QWidget::closeEvent(pEvent);
}
