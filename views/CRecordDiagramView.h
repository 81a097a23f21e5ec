#pragma once

#include "views/CDiagramView.h"
#include "views/CTitleTip.h"

#include <string>

// What the case graph and the occurrence net views share: diagrams the analysis
// records, which the user may rearrange and decorate with free labels and polygons
// outside simulation and which show a title tip under the mouse in simulation. A
// derived view says how its diagram is hit, selected, decorated and named.
class CRecordDiagramView : public CDiagramView {
    Q_OBJECT

public:
    CRecordDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(int nId, CCommandState& state) override;
    void OnUpdate() override;

    unsigned GetTool() const { return m_nTool; }
    const CTitleTip& GetTitleTip() const { return m_tip; }

public slots:
    void OnPropertyChanged(int nWhat) override;

protected:
    // --- The diagram. ---
    // The topmost element at the point.
    virtual CPNElement* HitElement(CPoint pt) const = 0;
    // Whether the element belongs to the diagram now.
    virtual bool ContainsElement(const CPNElement* pElement) const = 0;
    // Whether it is one of the free labels and polygons.
    virtual bool IsFreeElement(const CPNElement* pElement) const = 0;
    // The free labels and polygons have pages of their own.
    bool HasPropertiesPage(const CPNElement& element) const override {
        return IsFreeElement(&element);
    }
    // What selecting asks: outside simulation the topmost element, and a band on nothing.
    CPNElement* HitToolElement(CPoint pt) override;
    bool CanToolBand() const override { return !m_bSimulation; }
    void ShowToolPage(CPNElement* element) override;
    // The title tip in simulation: its text and the item's rectangle.
    virtual bool TipFor(CPNElement* pHit, CPoint pt, std::string& text, CRect& rect) const = 0;
    // The submenu of the popup menu for the element under the mouse; -1 for none.
    virtual int ContextMenuIndex(CPNElement* pHit) const = 0;

    void UpdateCursor(CPoint ptLogical) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;

    CTitleTip m_tip;

private:
    void ShowTitleTip(CPoint pt);
    bool CanDelete() const;
    void OnDelete();
    void OnPlace(bool bFront);
};
