#include "formats/CExportFormat.h"

#include "engines/CCaseEngine.h"

#include "document/CZerinDoc.h"

#include <algorithm>

CExportFormat::CExportFormat(std::string id, std::string name, std::string extension,
                             std::string what, DiagramNeeds diagrams)
    : m_strId(std::move(id)), m_strName(std::move(name)), m_strExtension(std::move(extension)),
      m_strWhat(std::move(what)), m_arrDiagrams(std::move(diagrams)) {}

std::vector<int> CExportFormat::GetDiagrams() const {
    std::vector<int> diagrams;
    for (const auto& [nDiagram, needs] : m_arrDiagrams)
        diagrams.push_back(nDiagram);
    return diagrams;
}

bool CExportFormat::Writes(int nDiagram) const {
    return std::any_of(m_arrDiagrams.begin(), m_arrDiagrams.end(),
                       [nDiagram](const auto& entry) { return entry.first == nDiagram; });
}

unsigned CExportFormat::GetNeeds(int nDiagram) const {
    for (const auto& [n, needs] : m_arrDiagrams)
        if (n == nDiagram)
            return needs;
    return NEED_NOTHING;
}

bool CExportFormat::Draws() const {
    return std::any_of(m_arrDiagrams.begin(), m_arrDiagrams.end(),
                       [](const auto& entry) { return (entry.second & NEED_DRAWING) != 0; });
}

bool CExportFormat::CanWrite(const CZerinDoc& doc, int nDiagram) const {
    if (!Writes(nDiagram))
        return false;
    const unsigned needs = GetNeeds(nDiagram);
    auto need = [needs](unsigned what) { return (needs & what) != 0; };
    const CCaseGraph& graph = doc.CaseGraph();
    if (need(NEED_DESIGN) && doc.Simulation().IsActive())
        return false;
    if (need(NEED_SIMULATION) && !doc.Simulation().IsActive())
        return false;
    if (need(NEED_CASE_GRAPH | NEED_STORED_STEPS | NEED_LISTED_CASES) &&
        !doc.Record().caseGraphValid)
        return false;
    if (need(NEED_STORED_STEPS) && !graph.HasAllSteps())
        return false;
    const CCaseEngine* engine = doc.Simulation().Engine();
    if (need(NEED_LISTED_CASES) && engine && !engine->ListsCases())
        return false;
    return !need(NEED_CONTACT_FREE) || doc.Record().contactFree;
}

std::string CExportFormat::GetMenuText() const {
    return GetCaption();
}

std::string CExportFormat::GetPrompt(int nDiagram) const {
    return "Write " + DiagramNoun(nDiagram) + " " + m_strWhat + "\n" + GetMenuText();
}

std::string CExportFormat::GetCaption() const {
    return "Export To " + m_strName;
}

std::string CExportFormat::GetFilter(int /*nDiagram*/) const {
    return m_strName + " file (*." + m_strExtension + ")";
}

std::string CExportFormat::GetProposedName(const CZerinDoc& doc, int nDiagram) const {
    // Every diagram is named after its document; the net's own is the document's name,
    // the others say which diagram they are, so that they do not meet in one file.
    switch (nDiagram) {
    case CZerinDoc::DIAGRAM_CASE_GRAPH:
        return doc.GetTitle() + "-CaseGraph";
    case CZerinDoc::DIAGRAM_OCCURRENCE_NET:
        return doc.GetTitle() + "-OccurrenceNet";
    default:
        return doc.GetTitle();
    }
}

std::string CExportFormat::DiagramNoun(int nDiagram) {
    switch (nDiagram) {
    case CZerinDoc::DIAGRAM_CASE_GRAPH:
        return "the case graph";
    case CZerinDoc::DIAGRAM_OCCURRENCE_NET:
        return "the occurrence net";
    default:
        return "the net design";
    }
}

std::string CExportFormat::DiagramTitle(int nDiagram) {
    switch (nDiagram) {
    case CZerinDoc::DIAGRAM_CASE_GRAPH:
        return "Case Graph";
    case CZerinDoc::DIAGRAM_OCCURRENCE_NET:
        return "Occurrence Net";
    default:
        return "Net Design";
    }
}
