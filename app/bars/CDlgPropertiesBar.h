#pragma once

#include <QDockWidget>
#include <QPoint>

#include <functional>
#include <string>

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

    // What carries out a page's change of the element (its label, its token, its
    // outline): the frame makes it an operation of the document, one edit named as the
    // page names it ("Rename e1"); typing into one field of one element gives every
    // change the same merge key (else 0), so that it is one edit. Without one the change
    // is made at once.
    using ChangeApplier =
        std::function<void(CPNElement* pElement, int nMergeKey, const std::string& strEdit,
                           const std::function<void()>& change)>;
    void SetChangeApplier(ChangeApplier applier) { m_applier = std::move(applier); }

signals:
    // A property of the element changed: 0 appearance, 1 label text, 2 event name,
    // 3 condition name. The frame passes it on, queued, to the active view.
    void PropertyChanged(int nWhat);

protected:
    // Changes the element through the applier as the edit named, then says what
    // changed.
    void Change(CPNElement* pElement, int nMergeKey, int nWhat, const std::string& strEdit,
                const std::function<void()>& change);

private:
    ChangeApplier m_applier;
};
