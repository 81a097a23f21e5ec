#include "simulation/CNetComplement.h"

#include "base/OutputWriter.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "simulation/CNameList.h"

#include <vector>

namespace {

// A complement lies 60 units above its condition, or below it near the top of the page.
int ComplementY(int y) {
    return y < 80 ? y + 60 : y - 60;
}

} // namespace

int CNetComplement::Complement(CDC& dc, bool countOnly) {
    // Only the conditions present now are examined and compared: the complements added
    // here have no pre- and post-sets until the next structure build, and taking their
    // empty sets for real ones would let an isolated condition pass as complemented,
    // depending on where it stands in the list.
    std::vector<CPNCondition*> conditions;
    for (CPNElement* e : m_net.m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(e))
            conditions.push_back(c);

    int missing = 0;
    for (CPNCondition* c : conditions) {
        bool complemented = false;
        for (const CPNCondition* d : conditions) {
            if (d != c && d->m_setPreEvents.IsEqual(c->m_setPostEvents) &&
                d->m_setPostEvents.IsEqual(c->m_setPreEvents)) {
                complemented = true;
                break;
            }
        }
        if (complemented)
            continue;
        ++missing;
        if (countOnly)
            continue;

        const std::string name = CNameList::NameOf(c);
        WriteOutput(PANE_ANALYSIS,
                    "Adding complement { not " + name + " } to condition { " + name + " }");
        auto* label = new CPNLabel();
        label->SetText("not " + name, dc);
        auto* complement = new CPNCondition(c->m_ptPos.x, ComplementY(c->m_ptPos.y), label);
        complement->m_bToken = !c->m_bToken;
        m_net.AddElement(complement);
        m_net.AddElement(label);
        label->m_pOwner = complement;
        for (CPNEvent* e : c->m_setPreEvents)
            m_net.AddElement(new CPNEdge(complement, e));
        for (CPNEvent* e : c->m_setPostEvents)
            m_net.AddElement(new CPNEdge(e, complement));
    }
    return missing;
}
