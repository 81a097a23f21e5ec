#pragma once

#include "base/CClassRegistry.h"

// The classes a document file may hold, under the names they are stored with:
// CPNLabel, CPNCondition, CPNEvent, CPNEdge, CPNPolygon, CPNCase, CPNStep, CPNPlace,
// CPNOccurrence.
CClassRegistry MakeZerinClassRegistry();
