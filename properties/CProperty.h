#pragma once

#include "properties/CFormula.h"

#include <string>

// A question asked of a net: its name (the contest's formula id, or what the user calls
// it) and the formula.
struct CProperty {
    std::string id;
    FormulaPtr formula;
};
