#include "findings/DocumentNet.h"

#include "document/CZerinDoc.h"

CNetStructure DocumentNet(const CZerinDoc& doc) {
    CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    const CSimulation& simulation = doc.Simulation();
    if (!simulation.IsActive())
        return net;
    const std::vector<CPNCondition*>& conditions = net.Conditions();
    for (std::size_t c = 0; c < conditions.size(); ++c)
        net.SetInitial(static_cast<int>(c), simulation.InitialCase().Contains(conditions[c]));
    return net;
}
