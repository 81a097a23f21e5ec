#pragma once

#include <QFont>
#include <QStyledItemDelegate>

#include <array>

// The size of an output line without shaping its text: the row's height as the style
// makes it, measured once per font, and the width as the sum of the characters'
// advances (a line with a character past Latin-1 is measured as the style does). A pane of a
// hundred thousand names is laid out in milliseconds; only the rows in view are shaped,
// to be painted.
class COutputLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    mutable QFont m_font;
    mutable int m_nHeight = 0;
    mutable int m_nMargin = 0;
    mutable std::array<double, 256> m_advance{};
};
