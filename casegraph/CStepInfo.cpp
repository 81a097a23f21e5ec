#include "casegraph/CStepInfo.h"

#include "model/CPNEvent.h"

void CStepInfo::AddEvent(CPNEvent* event) {
    m_setEvents.Add(event);
    m_setPre.Union(event->m_setPreConditions);
    m_setPost.Union(event->m_setPostConditions);
}
