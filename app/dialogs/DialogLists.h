#pragma once

#include <QString>
#include <QVariant>

#include <initializer_list>

class QListWidget;
class QWidget;

// The sorted list boxes of the analysis dialogs: entries sort as the user reads them
// (by the locale), each carries an item value, and moving an entry between two lists
// follows one rule.

// A sorted, single-selection list with whole lines and scroll bars as needed.
QListWidget* MakeSortedList(QWidget* pParent, int nId);
// Adds the text with its value to the list.
void AddSortedEntry(QListWidget* pList, const QString& strText, const QVariant& value);
// Selects entry 0 when there is one.
void SelectFirst(QListWidget* pList);
// Moves the selected entry of the source (text and value) to the target: entry 0 of
// the source is selected after it, the moved entry in the target.
void MoveSelectedEntry(QListWidget* pSource, QListWidget* pTarget);
// The widest text of the list's entries, in pixels of its font.
int WidestEntry(const QListWidget* pList);
// Lists scroll across their widest entry by themselves; they open wide enough for an
// entry of the extent, and never wider than a third of a screen.
void OpenListsWide(std::initializer_list<QListWidget*> lists, int nExtent);
