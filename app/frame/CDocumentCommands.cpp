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
    input.engine = doc.Simulation().Engine();
    if (input.engine)
        doc.GetFrame().ShowCaseClassDialog(input);
}

} // namespace DocumentCommands
