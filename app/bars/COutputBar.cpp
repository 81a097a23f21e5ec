#include "app/bars/COutputBar.h"

#include "app/bars/COutputCaption.h"
#include "app/bars/COutputLineDelegate.h"
#include "base/OutputWriter.h"
#include "views/CommandIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const char* const kTabTexts[OUTPUT_PANES] = {"Standard", "Simulation", "Analysis",
                                             "CaseGraph Legend", "OccurrenceNet Legend"};

bool IsPane(int nPane) {
    return nPane >= 0 && nPane < OUTPUT_PANES;
}

} // namespace

COutputBar::COutputBar(QWidget* pParent) : CDlgPropertiesBar(QStringLiteral("Output"), pParent) {
    // Docking and floating by double click or drag do not happen; the bar lives at
    // the bottom.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::BottomDockWidgetArea);

    m_pCaption = new COutputCaption(this);
    setTitleBarWidget(m_pCaption);
    connect(m_pCaption, &COutputCaption::Dragged, this, &COutputBar::ResizeToCursor);

    auto* pBody = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pBody);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    m_pTab = new QTabBar(pBody);
    m_pTab->setExpanding(false);
    m_pStack = new QStackedWidget(pBody);
    for (int i = 0; i < OUTPUT_PANES; ++i) {
        m_pTab->addTab(QString::fromLatin1(kTabTexts[i]));
        m_list[i] = new QListWidget(m_pStack);
        m_list[i]->setObjectName(QStringLiteral("OutputPane%1").arg(i));
        // Whole lines: no eliding, a horizontal scroll bar for the long ones. Lines are
        // laid out in batches, so that a long output does not lay out line by line.
        m_list[i]->setTextElideMode(Qt::ElideNone);
        m_list[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_list[i]->setLayoutMode(QListView::Batched);
        m_list[i]->setBatchSize(2000);
        // Sized without shaping each line's text: a legend holds up to MAX_LINES.
        m_list[i]->setItemDelegate(new COutputLineDelegate(m_list[i]));
        // With its last line selected a pane stays scrolled to that line when the
        // bar's layout changes its height afterwards.
        QListWidget* pList = m_list[i];
        connect(pList->verticalScrollBar(), &QScrollBar::rangeChanged, pList,
                [pList](int, int nMax) {
                    if (pList->count() > 0 && pList->currentRow() == pList->count() - 1)
                        pList->verticalScrollBar()->setValue(nMax);
                });
        connect(pList, &QListWidget::itemActivated, this,
                [this, i](QListWidgetItem* pItem) { emit LineActivated(i, pItem->text()); });
        m_pStack->addWidget(m_list[i]);
    }
    pLayout->addWidget(m_pTab);
    pLayout->addWidget(m_pStack, 1);
    setWidget(pBody);
    setMinimumHeight(MINIMUM_HEIGHT);
    m_pTab->setCurrentIndex(0);
    m_pStack->setCurrentIndex(0);
    connect(m_pTab, &QTabBar::currentChanged, this, &COutputBar::OnTabChanged);
}

COutputBar::~COutputBar() {
    // Writers that outlive the bar must find no window.
    if (GetOutputSink() == this)
        SetOutputSink(nullptr);
}

void COutputBar::SelectPane(int nPane) {
    if (!IsPane(nPane) || nPane == m_nCurPane)
        return;
    m_pTab->setCurrentIndex(nPane);
}

void COutputBar::OnTabChanged(int nIndex) {
    if (!IsPane(nIndex))
        return;
    m_pStack->setCurrentIndex(nIndex);
    m_nCurPane = nIndex;
}

void COutputBar::ResetContent(bool bAll) {
    if (bAll) {
        for (int i = PANE_STANDARD; i <= PANE_ANALYSIS; ++i)
            ClearPane(i);
    } else {
        ClearPane(m_nCurPane);
    }
}

bool COutputBar::IsCurrentPaneEmpty() const {
    return m_list[m_nCurPane]->count() == 0 && m_pending[m_nCurPane].isEmpty();
}

QListWidget* COutputBar::GetListBox(int nPane) const {
    if (!IsPane(nPane))
        return nullptr;
    const_cast<COutputBar*>(this)->Flush(nPane);
    return m_list[nPane];
}

void COutputBar::AppendLine(int nPane, const std::string& strText) {
    if (!IsPane(nPane))
        return;
    // Lines are added to the list in one block when the writing is over: a case graph
    // writes millions of names in one go. Of those only the last MAX_LINES can stay, so
    // only they are kept; the others are counted.
    QStringList& pending = m_pending[nPane];
    if (pending.size() >= MAX_LINES) {
        pending.removeFirst();
        ++m_nPendingSkipped[nPane];
    }
    pending.append(QString::fromStdString(strText));
    if (!m_bFlushQueued[nPane]) {
        m_bFlushQueued[nPane] = true;
        QMetaObject::invokeMethod(
            this,
            [this, nPane] {
                m_bFlushQueued[nPane] = false;
                Flush(nPane);
                // The last line is selected, and so in view.
                QListWidget* pLast = m_list[nPane];
                pLast->setCurrentRow(pLast->count() - 1);
                pLast->scrollToBottom();
            },
            Qt::QueuedConnection);
    }
}

void COutputBar::Flush(int nPane) {
    QStringList lines;
    lines.swap(m_pending[nPane]);
    // The lines written: those skipped while waiting, then the ones kept.
    const long long nWritten = m_nPendingSkipped[nPane] + lines.size();
    m_nPendingSkipped[nPane] = 0;
    if (lines.isEmpty())
        return;
    QListWidget* pList = m_list[nPane];
    // A pane keeps at most MAX_LINES: whenever a line comes to a full pane, the oldest
    // MAX_LINES / 10 go in one block and the first line says how many went. The rows
    // that block by block would remain are worked out first and changed at once.
    const int nDrop = MAX_LINES / 10;
    int nRows = pList->count();
    int nDropped = m_nDropped[nPane];
    for (long long i = 0; i < nWritten; ++i) {
        if (nRows >= MAX_LINES) {
            nDropped += nDrop - (nDropped > 0 ? 1 : 0);
            nRows -= nDrop - 1;
        }
        ++nRows;
    }
    if (nDropped != m_nDropped[nPane]) {
        // What stays is the last nRows - 1 lines of the list's lines (without its old
        // header) and the block, under a new header.
        const int nOldHeader = m_nDropped[nPane] > 0 ? 1 : 0;
        const long long nKept = nRows - 1;
        const long long nFromBlock = std::min<long long>(nKept, nWritten);
        const long long nFromList = nKept - nFromBlock;
        const int nListLines = pList->count() - nOldHeader;
        pList->model()->removeRows(0, static_cast<int>(nListLines - nFromList + nOldHeader));
        lines = lines.mid(lines.size() - nFromBlock);
        m_nDropped[nPane] = nDropped;
        pList->insertItem(0,
                          QStringLiteral("(%1 earlier lines are no longer shown)").arg(nDropped));
    }
    pList->addItems(lines);
}

void COutputBar::ShowPane(int nPane) {
    QMetaObject::invokeMethod(
        this, [this, nPane] { SelectPane(nPane); }, Qt::QueuedConnection);
}

void COutputBar::ClearPane(int nPane) {
    if (!IsPane(nPane))
        return;
    m_pending[nPane].clear();
    m_nPendingSkipped[nPane] = 0;
    m_list[nPane]->clear();
    m_nDropped[nPane] = 0;
}

void COutputBar::Beep() {
    QApplication::beep();
}

void COutputBar::contextMenuEvent(QContextMenuEvent* pEvent) {
    QMenu menu(this);
    QAction* pHide = menu.addAction(QStringLiteral("Hide"));
    pHide->setData(Cmd::ID_OUTPUT_HIDE);
    QAction* pReset = menu.addAction(QStringLiteral("Reset Content"));
    pReset->setData(Cmd::ID_OUTPUT_RESET_CONTENT);
    pReset->setEnabled(!IsCurrentPaneEmpty());
    if (QAction* pChosen = menu.exec(pEvent->globalPos()))
        emit CommandRequested(pChosen->data().toInt());
}

void COutputBar::resizeEvent(QResizeEvent* pEvent) {
    CDlgPropertiesBar::resizeEvent(pEvent);
    if (isVisible() && !isFloating())
        m_nHeight = std::max(MINIMUM_HEIGHT, height());
}

void COutputBar::ResizeToCursor(int nGlobalY) {
    auto* pFrame = qobject_cast<QMainWindow*>(parentWidget());
    if (!pFrame || isFloating())
        return;
    const int nBottom = pFrame->mapToGlobal(QPoint(0, pFrame->height())).y();
    m_nHeight = std::max(MINIMUM_HEIGHT, nBottom - m_nTopOffset - nGlobalY);
    pFrame->resizeDocks({this}, {m_nHeight}, Qt::Vertical);
}
