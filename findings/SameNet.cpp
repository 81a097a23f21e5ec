#include "findings/SameNet.h"

#include "model/CNetStructure.h"

bool SameNet(const CNetStructure& a, const CNetStructure& b) {
    if (a.ConditionCount() != b.ConditionCount() || a.EventCount() != b.EventCount())
        return false;
    for (int c = 0; c < static_cast<int>(a.ConditionCount()); ++c)
        if (a.ConditionName(c) != b.ConditionName(c) || a.Initial(c) != b.Initial(c))
            return false;
    for (int e = 0; e < static_cast<int>(a.EventCount()); ++e)
        if (a.EventName(e) != b.EventName(e) || a.Pre(e) != b.Pre(e) || a.Post(e) != b.Post(e))
            return false;
    return true;
}
