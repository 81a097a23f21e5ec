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

    int GetDragMode() const { return m_nDragMode; }
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
    // The drag mode a press on the element starts (0 for none).
    virtual int DragModeFor(CPNElement* pHit, CPoint pt) = 0;
    // The modes of the whole selection and of the band.
    virtual int SelectionDragMode() const = 0;
    virtual int BandDragMode() const = 0;
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
    void PressSelect(CPoint pt, bool bAdd);
    void ShowTitleTip(CPoint pt);
    bool CanDelete() const;
    void OnDelete();
    void OnPlace(bool bFront);
};
