#include "document/ZerinClassRegistry.h"

#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"

CClassRegistry MakeZerinClassRegistry() {
    CClassRegistry registry;
    registry.Register<CPNLabel>("CPNLabel");
    registry.Register<CPNCondition>("CPNCondition");
    registry.Register<CPNEvent>("CPNEvent");
    registry.Register<CPNEdge>("CPNEdge");
    registry.Register<CPNPolygon>("CPNPolygon");
    registry.Register<CPNCase>("CPNCase");
    registry.Register<CPNStep>("CPNStep");
    registry.Register<CPNPlace>("CPNPlace");
    registry.Register<CPNOccurrence>("CPNOccurrence");
    return registry;
}
