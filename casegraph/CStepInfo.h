#pragma once

#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

class CPNEvent;

// A candidate step while one case is being expanded: its events and the unions of
// their pre- and post-sets.
class CStepInfo {
public:
    // Adds the event and its pre- and post-set.
    void AddEvent(CPNEvent* event);

    CSetEvents m_setEvents;
    CSetConditions m_setPre;
    CSetConditions m_setPost;
};
