#pragma once

#include "views/CommandIds.h"

#include "document/CZerinDoc.h"

#include "views/CRecordDiagramView.h"

class COccurrenceNet;

// The occurrence net the simulation records: places and occurrences in columns. In
// simulation the view follows the growing record, laying out only what was added since
// it last looked; outside simulation the record can be rearranged and decorated.
class CZerinOccurrenceNetView : public CRecordDiagramView {
    Q_OBJECT

public:
    CZerinOccurrenceNetView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate() override;
    bool OnCommand(int nId) override;
    bool OnUpdateCommand(int nId, CCommandState& state) override;

    CSize GetExtent() const override { return m_sizeScroll; }

    CRect GetDrawingBounds() const override;
    void DrawModel(CDC& dc) const override;
    bool HasNameLegend() const override { return true; }
    void DrawNameLegend(CDC& dc, int lineHeight) const override;

    // Writes the names, lays out what was recorded since the last look (in simulation)
    // and takes the record's size.
    void Refresh();

protected:
    int GetDiagramId() const override { return CZerinDoc::DIAGRAM_OCCURRENCE_NET; }
    void ResizeDiagram(int cx, int cy) override;

    CPNElement* HitElement(CPoint pt) const override;
    bool ContainsElement(const CPNElement* pElement) const override;
    bool IsFreeElement(const CPNElement* pElement) const override;
    bool TipFor(CPNElement* pHit, CPoint pt, std::string& text, CRect& rect) const override;
    int ContextMenuIndex(CPNElement* pHit) const override;

private:
    const COccurrenceNet& Net() const;

    // The page: the laid-out size in simulation, the record's extent outside.
    CSize m_sizeScroll{100, 100};
};
