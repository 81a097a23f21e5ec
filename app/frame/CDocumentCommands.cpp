#include "app/frame/CDocumentCommands.h"

#include "casegraph/CPNCase.h"
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

} // namespace DocumentCommands
