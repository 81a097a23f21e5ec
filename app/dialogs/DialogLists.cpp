#include "app/dialogs/DialogLists.h"

#include "app/bars/PropertiesPageTools.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>

#include <algorithm>

namespace {

// Entries sort as the user reads them: by the locale, not by character codes.
class SortedItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override {
        const int nOrder = QString::localeAwareCompare(text(), other.text());
        return nOrder != 0 ? nOrder < 0 : text() < other.text();
    }
};

} // namespace

QListWidget* MakeSortedList(QWidget* pParent, int nId) {
    auto* pList = new QListWidget(pParent);
    SetControlId(pList, nId);
    pList->setSortingEnabled(true);
    pList->setSelectionMode(QAbstractItemView::SingleSelection);
    pList->setTextElideMode(Qt::ElideNone);
    pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return pList;
}

void AddSortedEntry(QListWidget* pList, const QString& strText, const QVariant& value) {
    auto* pItem = new SortedItem(strText);
    pItem->setData(Qt::UserRole, value);
    pList->addItem(pItem);
}

void SelectFirst(QListWidget* pList) {
    if (pList->count() > 0)
        pList->setCurrentRow(0);
}

void MoveSelectedEntry(QListWidget* pSource, QListWidget* pTarget) {
    QListWidgetItem* pItem = pSource->currentItem();
    if (pItem == nullptr || !pItem->isSelected())
        return;
    auto* pMoved = new SortedItem(pItem->text());
    pMoved->setData(Qt::UserRole, pItem->data(Qt::UserRole));
    delete pSource->takeItem(pSource->row(pItem));
    SelectFirst(pSource);
    pTarget->addItem(pMoved);
    pTarget->setCurrentItem(pMoved);
}

int WidestEntry(const QListWidget* pList) {
    const QFontMetrics metrics(pList->font());
    int nWidest = 0;
    for (int i = 0; i < pList->count(); ++i)
        nWidest = std::max(nWidest, metrics.horizontalAdvance(pList->item(i)->text()));
    return nWidest;
}

void OpenListsWide(std::initializer_list<QListWidget*> lists, int nExtent) {
    for (QListWidget* pList : lists) {
        const int nFrame = 2 * pList->frameWidth() + 8 +
                           pList->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        pList->setMinimumWidth(std::clamp(nExtent + nFrame, 120, 360));
    }
}
