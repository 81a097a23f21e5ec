#pragma once

#include "base/CFileResult.h"
#include "base/CObject.h"
#include "base/CRandomSource.h"
#include "base/CRect.h"
#include "casegraph/CCaseGraph.h"
#include "document/CCaseGraphEditor.h"
#include "document/CDocumentFieldsChange.h"
#include "document/CDocumentRecord.h"
#include "document/CEditHistory.h"
#include "document/CEditHost.h"
#include "document/CPropertyList.h"
#include "document/CSelection.h"
#include "document/CSimulation.h"
#include "model/CNetDesign.h"
#include "occurrence/COccurrenceNet.h"

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class CDC;
class CFrameServices;
class CPNCondition;
class CPNEdge;
class CPNElement;
class CPNPolygon;

// The one document: the net design, its case graph and occurrence net, the selection,
// the simulation (the token game and the engine that holds the case class), the
// settings saved with the file and the counters that name new elements. It is the only
// writer of what it holds: views, commands and the command line read the diagrams and
// change them through its operations, each of which records itself in the edit history.
// It reaches the window around it only through CFrameServices.
class CZerinDoc : public CObject, private CEditHost {
public:
    // The three diagrams.
    enum EDiagram { DIAGRAM_NET_DESIGN = 0, DIAGRAM_CASE_GRAPH = 1, DIAGRAM_OCCURRENCE_NET = 2 };

    // Not copied: its diagrams own their elements.
    explicit CZerinDoc(CFrameServices& frame);
    ~CZerinDoc() override;

    const char* GetClassName() const override { return "CZerinDoc"; }

    // --- The file: title, path, modified flag, new, open and save. ---
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the file name without folder and ".zrn").
    void SetPathName(const std::string& path);
    // The document's own changes, or its property list's since it was last saved.
    bool IsModified() const { return m_bModified || m_propertyList.IsModified(); }
    void SetModifiedFlag(bool modified = true) override;
    // A new document: emptied, title "Untitled", no path, no history.
    void NewDocument();
    void DeleteContents();
    // The record of the whole file (its own source file, with the byte format).
    void Serialize(CArchive& ar) override;
    // Open and Save. The file is read and checked whole before it replaces anything: a
    // failed open leaves the document as it was and gives the user message
    // ("Unexpected file format." or "Failed to open document."). A failed save leaves
    // the old file as it was and gives the reason. The property list goes with the file
    // in its companion (CPropertyListFile): an open that cannot take the companion
    // opens the document with the list empty and the companion refused.
    CFileResult OnOpenDocument(const std::string& path);
    CFileResult OnSaveDocument(const std::string& path);
    unsigned long long Revision() const override;
    CEditHistory& History() { return m_history; }
    const CEditHistory& History() const { return m_history; }

    // --- What the document holds, to read. ---
    const CNetDesign& NetDesign() const { return m_netDesign; }
    const CCaseGraph& CaseGraph() const { return m_caseGraph; }
    const COccurrenceNet& OccurrenceNet() const { return m_occurrenceNet; }
    const CDiagram& Diagram(int nDiagram) const;
    const CDocumentRecord& Record() const { return m_record; }
    CSelection& Selection() { return m_selection; }
    const CSelection& Selection() const { return m_selection; }
    CSimulation& Simulation() { return m_simulation; }
    const CSimulation& Simulation() const { return m_simulation; }
    // The properties kept with the document, saved in its companion file.
    CPropertyList& PropertyList() { return m_propertyList; }
    const CPropertyList& PropertyList() const { return m_propertyList; }
    CFrameServices& GetFrame() const { return m_rFrame; }
    CRandomSource& GetRandom() { return m_random; }
    // The net design with the tokens of the animation.
    void DrawNetDesign(CDC& dc) const;

    // --- Edits of the diagrams. Each is an edit, or part of the one open (BeginEdit),
    // and returns the rectangle to repaint. ---
    // Selects what lies inside the rectangle, instead of the selection before.
    CRect SelectInRect(int nDiagram, const CRect& rect);
    CRect PlaceSelection(int nDiagram, bool front);
    CRect MoveSelection(int nDiagram, int dx, int dy);
    CRect MoveElement(int nDiagram, CPNElement* element, CPoint pt);
    // The case graph's cases by index, each to its point: one change of the open edit.
    CRect MoveCases(const std::vector<std::pair<std::uint32_t, CPoint>>& moves);
    CRect DeleteSelection(int nDiagram = DIAGRAM_NET_DESIGN);
    // False when the diagram refused the element (a second edge between the same two
    // nodes), which is then deleted.
    bool AddElement(CPNElement* element, int nDiagram = DIAGRAM_NET_DESIGN);
    // A property of the element set (a properties page's change, a token flipped): kept
    // as it was by the open edit, then changed.
    void ChangeElement(CPNElement* element, const std::function<void()>& change);
    CRect FlipToken(CPNCondition* condition);
    // The grabbed bend point of a route taken out, or all of them; the grabbed corner
    // of an outline taken out.
    CRect DeleteRoutePoint(int nDiagram, CPNEdge* edge);
    CRect StraightenRoute(int nDiagram, CPNEdge* edge);
    CRect DeleteOutlinePoint(int nDiagram, CPNPolygon* polygon);
    // The net replaced by one read from elsewhere (an import into a new document): the
    // names of new conditions and events count on from the numbers given, and the
    // history starts here.
    void ReplaceNet(CNetDesign& net, int nextCondition, int nextEvent);
    // New elements of the net design appended, no edge twice (a paste: without the net's
    // search for duplicates, which would make pasting into a large net quadratic), and
    // selected instead of what was.
    void PasteElements(std::list<CPNElement*>& elements);
    // The complement conditions added to the net (labels measured on the context), over
    // the flow relation of the last structure build; returns how many were added.
    int ComplementNet(CDC& dc);
    // What the case graph view and the command line do to the drawn case graph.
    CCaseGraphEditor& CaseGraphEditor() { return m_caseGraphEditor; }
    // The diagram's page to at least the size (a view's properties): part of the open
    // edit.
    void ResizeDiagram(int nDiagram, int cx, int cy);
    // The occurrence net laid out in columns as far as it was recorded; its page size.
    CSize LayOutOccurrenceNet(CDC& dc);
    // Names the case graph and lays out what the occurrence net recorded where no view
    // has done it yet, so that the analysis output and the exports carry the names; with
    // a diagram (DIAGRAM_...), only that one.
    void NameForOutput(int nDiagram = -1);
    // A net built in code (an example, a script): the build runs on the net design as
    // one edit, and the net is to be tested again.
    void BuildNet(const std::function<void(CNetDesign&)>& build);
    // The kind's counter (CDocumentRecord::NAME_...) formatted with "b%d", "e%d",
    // "Text%d", "Text%d", then incremented; another kind gives an empty name.
    std::string GetNewName(int kind);

    // --- State changes. ---
    // The net changed: its case graph and record are no longer its own.
    void SetNetModified();
    // "Grid Points" (sets the modified flag) and "Ruler" (does not).
    void ToggleGrid();
    void ToggleRuler();

    // --- For the file layer: the record as read, and the objects of a failed load. ---
    // The record (the window's ruler kept), then with an archive the net design, case
    // graph and occurrence net read from it, in order.
    void Restore(const CDocumentRecord& record, CArchive* ar = nullptr);
    // After a failed load: every element is let go without deleting it (the loader
    // deletes what the file made), then the document is emptied.
    void ForgetLoadedElements();

private:
    // The edit history's side.
    std::uint64_t DiagramGeneration(int nDiagram) const override;
    void BeginFields() override;
    std::unique_ptr<CEditChange> EndFields() override;
    void RollbackFields() override;
    void EditApplied() override;
    void ClearSelectionForEdit() override { m_selection.Clear(); }
    bool IsSimulating() const override { return m_simulation.IsActive(); }
    void EditCancelled() override;

    CDiagram& MutableDiagram(int nDiagram);
    // Before an element of the diagram changes in any other way: the open edit keeps it
    // as it was.
    void ModifyElement(int nDiagram, CPNElement* element);
    void ModifyElement(CPNElement* element);

    CDocumentRecord m_record;
    CSelection m_selection;
    // Serves the automatic run and the case graph layout; declared before the case
    // graph, which holds a reference to it.
    CRandomSource m_random;
    CPropertyList m_propertyList;
    CCaseGraph m_caseGraph;
    CNetDesign m_netDesign;
    COccurrenceNet m_occurrenceNet;

    CFrameServices& m_rFrame;
    std::string m_strTitle = "Untitled";
    std::string m_strPathName;
    bool m_bModified = false;
    unsigned long long m_nEdits = 0;
    // Set while a load empties and refills the document.
    bool m_bRestoring = false;
    // The settings when the open edit began.
    CDocumentFieldsChange::Fields m_fieldsBefore;
    std::uint64_t m_nFieldsGraphGeneration = 0;
    CEditHistory m_history{*this};
    CCaseGraphEditor m_caseGraphEditor{*this, m_caseGraph, m_record};
    // Last: it works on all of the above.
    CSimulation m_simulation{{*this, m_record, m_netDesign, m_caseGraph, m_occurrenceNet,
                              m_selection, m_history, m_random, m_rFrame}};
};
