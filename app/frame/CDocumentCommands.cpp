#include "app/frame/CDocumentCommands.h"

#include "base/OutputWriter.h"
#include "casegraph/CPNCase.h"
#include "engines/CNodeAdjacency.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "model/CPNCondition.h"
#include "occurrence/CNetDesignExport.h"

#include <optional>

namespace DocumentCommands {

namespace {

// Asks for the path and writes; a write that fails is shown, never passed over.
template <class Write>
void RunExport(CFrameServices& frame, const std::string& defaultName, Write write,
               const std::string& extension = "xml") {
    const std::optional<std::string> path = frame.AskExportPath(defaultName, extension);
    if (!path)
        return;
    const CFileResult result = write(*path);
    if (!result)
        frame.ShowError(result.error);
}

bool ListsCases(const CZerinDoc& doc) {
    const CCaseEngine* engine = doc.Simulation().Engine();
    return !engine || engine->ListsCases();
}

} // namespace

bool CanExportNetDesignXML(const CZerinDoc& doc) {
    return !doc.Simulation().IsActive();
}

bool CanExportCaseGraphXML(const CZerinDoc& doc) {
    return doc.Record().caseGraphValid && doc.CaseGraph().HasAllSteps();
}

bool CanExportCaseClassXML(const CZerinDoc& doc) {
    return doc.Simulation().IsActive() && doc.Record().caseGraphValid && ListsCases(doc);
}

bool CanExportOccurrenceNetXML(const CZerinDoc& doc) {
    return doc.Record().contactFree;
}

void CaseClassVerification(CZerinDoc& doc) {
    if (!doc.Simulation().IsActive())
        return;
    CCaseClassInput input;
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e))
            input.conditions.push_back(c);
    for (const CPNCase* node : doc.CaseGraph().Cases()) {
        input.cases.push_back(node->m_setConditions);
        input.reachable.push_back(node->m_bReachable);
    }
    CCaseEngine* engine = doc.Simulation().Engine();
    input.search = engine && !engine->ListsCases() ? engine : nullptr;
    doc.GetFrame().ShowCaseClassDialog(input);
}

namespace {

// Where the class is kept as decision diagrams, says that its cases are not listed
// (with their number) and returns true.
bool SayCasesAreNotListed(const CZerinDoc& doc) {
    const CCaseEngine* engine = doc.Simulation().Engine();
    if (!engine || engine->ListsCases())
        return false;
    WriteOutput(PANE_ANALYSIS, "The cases are kept as decision diagrams: they are not listed one "
                               "by one (Total " +
                                   doc.Simulation().Engine()->CountCases() + " case(s))");
    return true;
}

} // namespace

void WriteCaseClass(CZerinDoc& doc) {
    if (!doc.Simulation().IsActive() || SayCasesAreNotListed(doc))
        return;
    doc.NameForOutput();
    doc.CaseGraph().WriteCaseClass();
}

void CountReachableClasses(CZerinDoc& doc) {
    if (doc.Simulation().IsActive() && !SayCasesAreNotListed(doc))
        CCaseGraph::WriteClassSummary(*doc.Simulation().Engine()->ForwardAdjacency());
}

void ComputeAllReachable(CZerinDoc& doc) {
    if (!doc.Simulation().IsActive() || SayCasesAreNotListed(doc))
        return;
    doc.NameForOutput();
    doc.CaseGraphEditor().WriteForwardReachableClasses();
}

void ExportCaseClassXML(CZerinDoc& doc) {
    if (!CanExportCaseClassXML(doc))
        return;
    RunExport(doc.GetFrame(), "CaseClass", [&doc](const std::string& path) {
        return doc.CaseGraph().ExportCaseClassXML(path);
    });
}

void ExportNetDesignXML(CZerinDoc& doc) {
    if (!CanExportNetDesignXML(doc))
        return;
    RunExport(doc.GetFrame(), doc.GetTitle(), [&doc](const std::string& path) {
        return CNetDesignExport(doc.NetDesign()).ExportXML(path);
    });
}

void ExportCaseGraphXML(CZerinDoc& doc) {
    if (!CanExportCaseGraphXML(doc))
        return;
    doc.NameForOutput();
    RunExport(doc.GetFrame(), "CaseGraph", [&doc](const std::string& path) {
        return doc.CaseGraph().ExportCaseGraphXML(path);
    });
}

void ExportOccurrenceNetXML(CZerinDoc& doc) {
    if (!CanExportOccurrenceNetXML(doc))
        return;
    doc.NameForOutput();
    RunExport(doc.GetFrame(), "OccurrenceNet", [&doc](const std::string& path) {
        return doc.OccurrenceNet().ExportXML(path);
    });
}

void ExportGraph(CZerinDoc& doc, bool bCaseGraph, const std::string& extension) {
    if (bCaseGraph ? !CanExportCaseGraphXML(doc) : !CanExportOccurrenceNetXML(doc))
        return;
    doc.NameForOutput();
    const CGraphText graph = bCaseGraph ? doc.CaseGraph().GraphForOtherTools()
                                        : doc.OccurrenceNet().GraphForOtherTools();
    RunExport(
        doc.GetFrame(), bCaseGraph ? "CaseGraph" : "OccurrenceNet",
        [&graph, &extension](const std::string& path) {
            return extension == "dot" ? graph.SaveDot(path) : graph.SaveGraphML(path);
        },
        extension);
}

} // namespace DocumentCommands
