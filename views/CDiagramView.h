#pragma once

#include "views/CommandIds.h"

#include "base/CDC.h"
#include "base/CFileResult.h"
#include "base/CFont.h"
#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "model/CPropertiesHost.h"
#include "views/CCommandState.h"
#include "views/CTool.h"
#include "views/CToolHost.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <QString>
#include <functional>
#include <optional>

#include <map>
#include <memory>
#include <vector>

class CPNElement;
class CViewHost;
class CZerinDoc;
class QMenu;
class QMouseEvent;
class QPrinter;

// The scroll view that shows one diagram of the document on a fixed-size page, one
// logical unit per pixel. The main frame routes menu and toolbar commands to the
// active view first.
class CDiagramView : public QAbstractScrollArea, public CToolHost {
    Q_OBJECT

public:
    // The zoom in percent: the stops of Zoom In and Zoom Out, the least and the most.
    static constexpr int kZoomStops[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};
    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 400;

    // The strip width of the rulers and their background.
    static constexpr int kRulerStrip = 13;
    static constexpr COLORREF kRulerColour = RGB(236, 233, 216);
    static constexpr COLORREF kGridColour = RGB(128, 128, 128);

    CDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);
    ~CDiagramView() override;

    CZerinDoc& GetDocument() const { return m_rDoc; }
    CViewHost& GetHost() const { return m_rHost; }

    // Called once when the view is first shown with its document.
    virtual void OnInitialUpdate();
    // The document changed (update all views).
    virtual void OnUpdate();
    // A command by id; false when this view does not handle it.
    virtual bool OnCommand(int nId);
    // The update rule of a command; false when this view has none for it.
    virtual bool OnUpdateCommand(int nId, CCommandState& state);

    // The diagram's extent: the scroll size, the page border, the bound of grid,
    // rulers and mouse positions.
    virtual CSize GetExtent() const { return {100, 100}; }
    // The element has a properties page; in simulation, it can be fired as a step of
    // its own, which Fire does.
    virtual bool HasPropertiesPage(const CPNElement& /*element*/) const { return false; }
    virtual bool CanFire(const CPNElement& /*element*/) const { return false; }
    virtual void Fire(CPNElement& /*element*/) {}
    // The rectangle every element of the diagram covers; empty for an empty diagram.
    virtual CRect GetDrawingBounds() const { return {}; }
    // Draws the model alone (no border, grid or rulers).
    virtual void DrawModel(CDC& /*dc*/) const {}
    // Draws what of the model meets the logical clip rectangle; by default all of it.
    virtual void DrawModelIn(CDC& dc, const CRect& /*rectClip*/) const { DrawModel(dc); }
    // The same at another scale than the view's (device pixels per logical unit), for a
    // picture of the whole page in a small window.
    virtual void DrawModelScaled(CDC& dc, const CRect& rectClip, double /*scale*/) const {
        DrawModelIn(dc, rectClip);
    }

    // The logical rectangle the window shows, and scrolling so that the window's centre
    // shows the logical point.
    CRect GetVisibleRect() const;
    void CenterOn(CPoint pt);

    // The scroll range follows the extent, the zoom and the window size.
    void UpdateScrollSize();
    // The scroll position: the logical point at the top-left corner of the window.
    CPoint GetScrollPosition() const;
    // Window pixels and logical units: a logical unit is zoom / 100 pixels wide. A
    // rectangle maps to every pixel it touches.
    CPoint DeviceToLogical(const QPoint& ptDevice) const;
    QRect LogicalToDevice(const CRect& rectLogical) const;
    QPoint LogicalToDevice(CPoint ptLogical) const;

    // The zoom in percent, kept within kMinZoom..kMaxZoom. The logical point under the
    // anchor (window pixels; the window's centre by default) stays where it is.
    int GetZoom() const { return m_nZoom; }
    void SetZoom(int nPercent, std::optional<QPoint> anchor = std::nullopt);
    // The next stop up or down; the largest zoom that shows the whole page.
    void ZoomIn(std::optional<QPoint> anchor = std::nullopt);
    void ZoomOut(std::optional<QPoint> anchor = std::nullopt);
    void ZoomToFit();
    // The largest zoom that shows the whole drawing with a margin, its corner at the
    // window's; the page when the diagram is empty.
    void ZoomToDrawing();
    // 100 %, scrolled to the page's top-left corner (a new or opened document).
    void ResetZoomAndScroll();
    // The logical point kept on the page.
    CPoint ClampToPage(CPoint pt) const;

    // Drawn over the model in the window, neither printed nor exported (a highlight of
    // elements chosen in a list); empty for none. The view is repainted.
    void SetOverlay(std::function<void(CDC&)> draw);
    // While a computation works on the document on another thread the view reads
    // nothing of it: it paints what it last showed, and repaints from the document
    // once thawed.
    void Freeze(bool bFrozen);
    bool IsFrozen() const { return m_bFrozen; }

    // Repaints the logical rectangle from the model (without erasing).
    void InvalidateLogical(const CRect& rect);
    void InvalidateAll();
    // How often the view was drawn anew whole (what it shows changed: a part of the
    // diagram, the whole of it, another layout), for a picture that follows it.
    unsigned long long GetShownChanges() const { return m_nShownChanges; }
    CPoint SnapToGrid(int x, int y) const;
    CPoint SnapToGrid(CPoint pt) const { return SnapToGrid(pt.x, pt.y); }
    // Inverting overlays over the model: drawing the same figure twice erases it.
    void DrawXorLine(CPoint p1, CPoint p2);
    void DrawRubberBand(CPoint p1, CPoint p2);
    void DrawRulerMarkers(CPoint pt, bool bEraseOnly);
    // Takes every inverting figure off the screen (a gesture ended).
    void ClearXorFigures();

    // Draws the visible page into an image: background, border, grid, model, rulers
    // and the inverting overlays, as the window shows them.
    void PaintArea(QPainter& painter, const QRect& rectDevice);
    // Prints the page on a printer chosen in the print dialog.
    void Print();
    // Shows the printed page in the print preview window.
    void PrintPreview();
    // "Print Setup": the page chosen is kept for every later print and preview.
    void PrintSetup();
    // Prints the page with its footer on the printer as it is set up, and the names
    // legend on a second page where the diagram has one; false, with the reason
    // shown, when the printer does not start.
    bool PrintTo(QPrinter& printer);

    // --- What the tools work on. ---
    CZerinDoc& GetToolDocument() override { return m_rDoc; }
    int GetToolDiagram() const override { return GetDiagramId(); }
    CPoint SnapToolPoint(CPoint pt) const override { return SnapToGrid(pt); }
    void RepaintLogical(const CRect& rect) override { InvalidateLogical(rect); }
    void ShowToolPage(CPNElement* element) override;
    void RefreshToolPage() override;
    void ToggleToolLine(CPoint from, CPoint to) override { DrawXorLine(from, to); }
    void ToggleToolBand(CPoint from, CPoint to) override { DrawRubberBand(from, to); }
    void ShowToolPosition(CPoint pt) override;
    void ShowToolMarkers(CPoint pt, bool bEraseOnly) override;
    void UpdateToolCursor(CPoint pt) override { UpdateCursor(pt); }
    void BeginToolDrag(CPoint pt) override { BeginDrag(pt); }
    bool CanToolEdit() const override { return !m_bSimulation; }
    bool ToolAddsToSelection() const override { return m_bAddPress; }
    // The element the gesture under way drags; null for none.
    CPNElement* GetDraggedElement() const;

    // The diagram's names legend for the printed second page, in twips (y grows
    // upwards); only views that have one print a second page.
    virtual bool HasNameLegend() const { return false; }
    virtual void DrawNameLegend(CDC& /*dc*/, int /*lineHeight*/) const {}

public slots:
    // A property of the selected element changed (0 appearance, 1 label text,
    // 2 event name, 3 condition name); delivered queued by the frame.
    virtual void OnPropertyChanged(int /*nWhat*/) {}
    // The simulation speed slider moved: milliseconds between animation frames.
    virtual void OnSimulationSpeed(int /*nMilliseconds*/) {}

protected:
    // The ruler's minor tick spacing; medium ticks come every second, labels every
    // fourth.
    virtual int GetRulerSpacing() const { return 25; }
    // Hands the new extent to the model; the caller repaints.
    virtual void ResizeDiagram(int /*cx*/, int /*cy*/) {}
    // Clears the gesture state.
    virtual void ResetMembers();
    // The document's diagram the view shows (CZerinDoc::DIAGRAM_...).
    virtual int GetDiagramId() const { return 0; }
    // The cursor for the point, from the gesture state and the tool.
    virtual void UpdateCursor(CPoint /*ptLogical*/) {}

    // --- The gesture skeleton the views share. ---
    // The start of every left press: the logical point, false for a press outside
    // the page or during a gesture; remembers the point and forgets the markers.
    bool BeginPress(const QMouseEvent& event, CPoint& pt, bool& bAdd);
    // Captures the mouse for the drag mode set; the first move is skipped.
    void BeginDrag(CPoint pt);
    // A move that belongs to no gesture (or the skipped first one): the position goes
    // to the status bar. True when the move is done with.
    bool MoveFree(CPoint pt);
    // Ends every gesture: markers erased, capture released, its edit closed.
    void EndDrag(CPoint pt);
    // Closes the edit of the gesture under way, if one is open.
    void EndGestureEdit();
    // Esc during a gesture: what it changed is taken back, and no edit is left.
    void CancelGesture();
    // The element a gesture drags is gone (a load, a new record): the gesture ends where
    // it stands.
    void DropGesture();
    // The tool of a command (null for the unknown), and the gesture a press of it
    // started.
    CTool* ToolFor(unsigned nId);
    bool PressTool(unsigned nId, CPoint pt);
    bool MoveTool(CPoint pt);
    bool ReleaseTool(CPoint pt);

    // --- The popup menu and the point commands the views share. ---
    // Shows submenu nIndex of the views' popup menu at the screen point, after what can
    // be done to the element under the mouse (m_pContextElement).
    void ShowPopupMenu(int nIndex, const QPoint& ptScreen);
    // A right click selects the element under it, unless it is selected already or the
    // token game is on.
    void SelectForContextMenu();
    void AddElementItems(QMenu& menu);
    // A command of the popup menu, enabled (and checked) by the view's rule; what it
    // changes is an edit named after its text.
    void AddCommandItem(QMenu& menu, const char* szText, int nId, bool bCheckable = false);
    bool CanDeleteEdgePoint() const;
    bool CanDeleteAllEdgePoints() const;
    bool CanDeletePolygonPoint() const;
    void OnDeleteEdgePoint();
    void OnDeleteAllEdgePoints();
    void OnDeletePolygonPoint();

    // Every repaint of the window passes here with its device rectangle.
    virtual void InvalidateDevice(const QRect& rectDevice);
    // The "Properties" dialog with the extent; false when cancelled.
    virtual bool AskExtent(int& cx, int& cy);
    // Shows a context menu at the screen point.
    virtual void TrackPopupMenu(QMenu& menu, const QPoint& ptScreen);
    // A failure the user must see.
    virtual void ShowError(const QString& strMessage);

    void OnViewProperties();
    // Elements ask the main window for their properties page through this.
    CPropertiesHost& GetPageHost() { return m_pageHost; }
    void HidePropertiesPage();
    void PrintNameLegend(QPrinter& printer, QPainter& painter) const;
    void DrawRulers(CDC& dc) const;
    void DrawGrid(CDC& dc, const CRect& rectClip) const;

    void paintEvent(QPaintEvent* pEvent) override;
    // Ctrl with the wheel zooms around the mouse; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* pEvent) override;
    // The arrow keys move the selection (outside simulation).
    void keyPressEvent(QKeyEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;

    // Members shared by the diagram views.
    unsigned m_nTool = Cmd::ID_TOOL_SELECT;
    bool m_bCaptured = false;
    CPoint m_ptLast;
    int m_nZoom = 100;
    // Shift or Ctrl was held at the last press.
    bool m_bAddPress = false;
    bool m_bSkipMove = false;
    CPNElement* m_pContextElement = nullptr;
    bool m_bSimulation = false;
    LOGFONT m_lfRuler;
    CFont m_fontRuler;
    CPoint m_ptMarker;
    bool m_bMarkerShown = false;
    // The gesture under way has opened an edit of the document.
    bool m_bEditOpen = false;
    // The tools, made when first chosen, and the one whose gesture is under way.
    std::map<unsigned, std::unique_ptr<CTool>> m_tools;
    CTool* m_pGestureTool = nullptr;

private:
    class CPageHost : public CPropertiesHost {
    public:
        explicit CPageHost(CViewHost& host) : m_rHost(host) {}
        void ShowPropertiesPage(int kind, CPNElement* element) override;

    private:
        CViewHost& m_rHost;
    };

    // An inverting figure on the screen: a line or a hollow rectangle.
    struct XorFigure {
        bool bBand = false;
        CPoint p1;
        CPoint p2;
        bool operator==(const XorFigure&) const = default;
    };
    void ToggleXorFigure(const XorFigure& figure);
    // The picture of the window as last painted, kept up by every repaint, and shown
    // while frozen.
    void KeepFrame(const QImage& buffer, const QRect& clip);
    void PaintFrozen(QPainter& painter, const QRect& clip);
    void InvalidateFigure(const XorFigure& figure);

    CZerinDoc& m_rDoc;
    CViewHost& m_rHost;
    CPageHost m_pageHost;
    std::vector<XorFigure> m_listXor;
    std::function<void(CDC&)> m_drawOverlay;
    bool m_bFrozen = false;
    QImage m_imgFrame;
    unsigned long long m_nShownChanges = 0;
};
