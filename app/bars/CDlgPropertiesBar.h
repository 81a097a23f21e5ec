#pragma once

#include <QDockWidget>
#include <QPoint>

class CPNElement;

// The base of the properties pages and the output bar: a floating panel that can
// say where its window is, so that the next page is shown at the same place.
class CDlgPropertiesBar : public QDockWidget {
    Q_OBJECT

public:
    explicit CDlgPropertiesBar(const QString& strCaption, QWidget* pParent = nullptr);

    // Fills the page from the element; null empties it and makes it ignore its controls.
    virtual void SetElement(CPNElement* /*pElement*/) {}
    // The top-left screen corner of the window that holds the bar.
    QPoint GetFloatingOrigin() const;

signals:
    // The page is about to change the element (its label, its token, its outline);
    // typing into one field gives every change the same merge key (else 0), so that
    // it is one edit.
    void Editing(CPNElement* pElement, int nMergeKey);
    // A property of the element changed: 0 appearance, 1 label text, 2 event name,
    // 3 condition name. The frame passes it on, queued, to the active view.
    void PropertyChanged(int nWhat);
};
