#include "app/frame/CDocumentCommands.h"

#include "base/OutputWriter.h"
#include "casegraph/CPNCase.h"
#include "engines/CNodeAdjacency.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "model/CPNCondition.h"


namespace DocumentCommands {


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

} // namespace DocumentCommands
