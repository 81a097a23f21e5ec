#pragma once

#include "model/CNetStructure.h"

class CZerinDoc;

// The document's net as numbers, its initial case the net's own also in simulation
// (where the design's tokens show the current case instead).
CNetStructure DocumentNet(const CZerinDoc& doc);
