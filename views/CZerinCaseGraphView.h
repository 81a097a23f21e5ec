#pragma once

#include "views/CommandIds.h"

#include "document/CZerinDoc.h"

#include "analysis/CCaseGraph.h"
#include "views/CRecordDiagramView.h"

// The case graph of the document: one circle per case, one arc per step, on a square
// grid. Outside simulation the graph can also be smoothed; in simulation the view
// shows the current case, colours the reachable cases on request and makes any case
// the current one.
class CZerinCaseGraphView : public CRecordDiagramView {
    Q_OBJECT

public:
    CZerinCaseGraphView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    void OnInitialUpdate() override;
    bool OnCommand(int nId) override;
    bool OnUpdateCommand(int nId, CCommandState& state) override;

    CSize GetExtent() const override;

    CRect GetDrawingBounds() const override;
    void DrawModel(CDC& dc) const override;
    void DrawModelIn(CDC& dc, const CRect& rectClip) const override;
    bool HasNameLegend() const override { return true; }
    void DrawNameLegend(CDC& dc, int lineHeight) const override;

    // Brings the view up to date with the document: lays a new graph out, writes the
    // names once, marks the current case in simulation.
    void Refresh();

    // The smoothing dialog; the application's by default, replaced by tests.
    void SetSmoothDialog(SmoothDialogRunner runner) { m_runSmoothDialog = std::move(runner); }

    int GetGridCells() const { return m_nGridCells; }

protected:
    int GetDiagramId() const override { return CZerinDoc::DIAGRAM_CASE_GRAPH; }
    QString GetExportFilterName() const override { return QStringLiteral("Case Graph"); }
    const char* GetDiagramKind() const override { return "casegraph"; }
    void ResizeDiagram(int cx, int cy) override;
    ExportIds GetExportIds() const override {
        return {Cmd::ID_CASE_GRAPH_EXPORT_EMF, Cmd::ID_CASE_GRAPH_EXPORT_SVG,
                Cmd::ID_CASE_GRAPH_EXPORT_PDF, Cmd::ID_CASE_GRAPH_EXPORT_PNG,
                Cmd::ID_CASE_GRAPH_EXPORT_TIKZ};
    }
    bool CanExport() const override;

    CPNElement* HitElement(CPoint pt) const override;
    bool ContainsElement(const CPNElement* pElement) const override;
    bool IsFreeElement(const CPNElement* pElement) const override;
    bool TipFor(CPNElement* pHit, CPoint pt, std::string& text, CRect& rect) const override;
    int ContextMenuIndex(CPNElement* pHit) const override;

    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    CCaseGraph& Graph() const;
    void OnSmooth();
    // The cases in layers by Graphviz, left to right, on the grid: one edit.
    void OnLayeredLayout();
    void OnSetActualCase();
    void OnHighlightReachable();

    int m_nGridCells = 10;
    bool m_bHighlightReachable = false;
    bool m_bLayoutShown = false;
    SmoothDialogRunner m_runSmoothDialog;
};
