#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// A tool-tip-like window that shows the full text of an item under the mouse in a
// diagram view. It never takes the focus, lets the mouse through to the view below it,
// and goes away on the next key, click or mouse move off the item.
class CTitleTip : public QWidget {
    Q_OBJECT

public:
    CTitleTip();
    ~CTitleTip() override;

    // Makes the tip a window of the parent's; false without a parent.
    bool Create(QWidget* pParentWnd);
    // Shows the text (lines split at line feeds) with its top-left corner at
    // (xoffset, yoffset) of the parent, for the item whose rectangle rectTitle is in the
    // parent's coordinates. A positive nHideDelay hides it after that many milliseconds.
    // Nothing shows while the application is not the active one.
    void Show(const QRect& rectTitle, const QString& strTitleText, int xoffset = 0, int yoffset = 0,
              int nHideDelay = 0);
    void Hide();

    QStringList GetLines() const { return m_listLines; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void SetFiltering(bool bFiltering);

    QWidget* m_pParentWnd = nullptr;
    QString m_strTitle;
    QStringList m_listLines;
    QColor m_crText;
    QColor m_crBack;
    QFont m_font;
    // The item's rectangle in screen coordinates: moving within it keeps the tip.
    QRect m_rectTitle;
    QTimer m_timerHide;
    bool m_bFiltering = false;
};
