#include "app/bars/COutputLineDelegate.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

QSize COutputLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (m_nHeight == 0 || option.font != m_font) {
        m_font = option.font;
        // The style's row for an empty line: its height and the margins beside the text.
        QStyleOptionViewItem empty(option);
        initStyleOption(&empty, index);
        empty.text.clear();
        const QSize row = QStyledItemDelegate::sizeHint(empty, QModelIndex());
        const QFontMetricsF metrics(m_font);
        m_nHeight = std::max(row.height(), static_cast<int>(std::ceil(metrics.height())));
        m_nMargin = row.width();
        for (int c = 0; c < 256; ++c)
            m_advance[static_cast<std::size_t>(c)] =
                metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    double width = 0;
    for (const QChar c : text) {
        // Another script may come from another font, taller or wider: shaped whole.
        if (c.unicode() >= 256)
            return QStyledItemDelegate::sizeHint(option, index);
        width += m_advance[c.unicode()];
    }
    // Rounded up, with a pixel to spare so that no line is cut.
    return QSize(m_nMargin + static_cast<int>(std::min(std::ceil(width) + 1, 1e7)), m_nHeight);
}
