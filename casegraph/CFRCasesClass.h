#pragma once

#include "model/CSetCases.h"

// One forward-reachable class of the case graph: a distinct set of nodes reached by
// forward steps, and how many nodes reach exactly that set.
class CFRCasesClass {
public:
    int m_nCount = 1;
    CSetCases m_setCases;
};
