#pragma once

#include "base/CFileResult.h"

#include <string>
#include <utility>
#include <vector>

class CZerinDoc;
struct CExportInput;

// One file format the program exports to: the names it goes by, its extension and the
// save dialog's filter, the diagrams it writes with what each needs of the document, and
// its writer. The Export menus, the save dialogs and the command line's exports are made
// from the registered formats (CExportFormatRegistry): a new format is a class of its own
// and one registration.
class CExportFormat {
public:
    // What the document must have before a diagram can be written: the enable rule.
    enum ENeed : unsigned {
        NEED_NOTHING = 0,
        // The net as designed, outside simulation.
        NEED_DESIGN = 1u << 0,
        NEED_SIMULATION = 1u << 1,
        // A computed case graph...
        NEED_CASE_GRAPH = 1u << 2,
        // ...with its steps stored, not produced on demand...
        NEED_STORED_STEPS = 1u << 3,
        // ...and its cases listed one by one, not kept as decision diagrams.
        NEED_LISTED_CASES = 1u << 4,
        // A contact-free system, whose run is recorded as an occurrence net.
        NEED_CONTACT_FREE = 1u << 5,
        // The diagram as its view draws it (a picture): the window's part of the rule.
        NEED_DRAWING = 1u << 6,
    };
    // A diagram the format writes (CZerinDoc::DIAGRAM_...) and what it needs.
    using DiagramNeeds = std::vector<std::pair<int, unsigned>>;

    virtual ~CExportFormat() = default;
    CExportFormat(const CExportFormat&) = delete;
    CExportFormat& operator=(const CExportFormat&) = delete;

    // The short name the registry and the tests know it by: "svg", "caseclass".
    const std::string& GetId() const { return m_strId; }
    // The name the user reads: "SVG", "GraphML".
    const std::string& GetName() const { return m_strName; }
    // The extension of its files, without the dot: "svg", "tex".
    const std::string& GetExtension() const { return m_strExtension; }

    // The diagrams it writes, in the order of the registration.
    std::vector<int> GetDiagrams() const;
    bool Writes(int nDiagram) const;
    unsigned GetNeeds(int nDiagram) const;
    // A picture: what it writes is the diagram as drawn.
    bool Draws() const;
    // The document has what the diagram needs (the drawing aside, which the caller has
    // or has not): false for a diagram the format does not write.
    bool CanWrite(const CZerinDoc& doc, int nDiagram) const;

    // The menu item, "Export To SVG".
    virtual std::string GetMenuText() const;
    // The status prompt of the menu item, the tip after a line break.
    virtual std::string GetPrompt(int nDiagram) const;
    // The command stands among the Analysis menu's, not in the diagram's own menu.
    virtual bool IsAnalysis() const { return false; }
    // The save dialog: its caption, its filter ("SVG file (*.svg)") and the name it
    // proposes, without the extension.
    std::string GetCaption() const;
    virtual std::string GetFilter(int nDiagram) const;
    virtual std::string GetProposedName(const CZerinDoc& doc, int nDiagram) const;

    // Writes the input's diagram to the path. An existing file is replaced only when the
    // whole write succeeds; a failure says why, naming the file.
    virtual CFileResult Write(const CExportInput& input, const std::string& path) const = 0;

    // "the net design", "the case graph", "the occurrence net".
    static std::string DiagramNoun(int nDiagram);
    // "Net Design", "Case Graph", "Occurrence Net".
    static std::string DiagramTitle(int nDiagram);

protected:
    // what completes the prompt "Write the net design ...": "as an SVG picture".
    CExportFormat(std::string id, std::string name, std::string extension, std::string what,
                  DiagramNeeds diagrams);

    const std::string& GetWhat() const { return m_strWhat; }

private:
    std::string m_strId;
    std::string m_strName;
    std::string m_strExtension;
    std::string m_strWhat;
    DiagramNeeds m_arrDiagrams;
};
