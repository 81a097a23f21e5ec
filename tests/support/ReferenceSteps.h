#pragma once

#include "model/CSetEvents.h"

#include <vector>

class CPNEvent;
class CSetConditions;

// The steps of a case in one direction listed the plain way, as the reference the
// engines' own enumerations are held to: the events with concession in the net's order;
// every set of them no two of which share a pre- or a postcondition, depth first, each
// set followed by its extensions by later events, except that the whole set of two or
// more events comes last.
std::vector<CSetEvents> ListSteps(const std::vector<CPNEvent*>& events, const CSetConditions& c,
                                  bool forward);
