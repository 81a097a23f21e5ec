#pragma once

#include "views/CCommandState.h"

#include <QAbstractScrollArea>

class CViewHost;
class CZerinDoc;

// The scroll view that shows one diagram of the document on a fixed-size page, one
// logical unit per pixel. The main frame routes menu and toolbar commands to the
// active view first.
class CDiagramView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    CZerinDoc& GetDocument() const { return m_rDoc; }
    CViewHost& GetHost() const { return m_rHost; }

    // Called once when the view is first shown with its document.
    virtual void OnInitialUpdate() {}
    // The document changed (update all views).
    virtual void OnUpdate() { viewport()->update(); }
    // A command by id; false when this view does not handle it.
    virtual bool OnCommand(int /*nId*/) { return false; }
    // The update rule of a command; false when this view has none for it.
    virtual bool OnUpdateCommand(int /*nId*/, CCommandState& /*state*/) { return false; }

public slots:
    // A property of the selected element changed (0 appearance, 1 label text,
    // 2 event name, 3 condition name); delivered queued by the frame.
    virtual void OnPropertyChanged(int /*nWhat*/) {}
    // The simulation speed slider moved: milliseconds between animation frames.
    virtual void OnSimulationSpeed(int /*nMilliseconds*/) {}

private:
    CZerinDoc& m_rDoc;
    CViewHost& m_rHost;
};
