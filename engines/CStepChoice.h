#pragma once

#include "model/CSetEvents.h"

#include <vector>

class CPNEvent;
class CRandomSource;
class CSetConditions;

// The step the automatic run fires in a case: one drawn at random among every step with
// concession there, or the first of the largest, each found by its place in the order
// the steps are listed without listing them (a case of many concurrent events offers
// billions). Empty when no event has concession.
class CStepChoice {
public:
    static CSetEvents Choose(const std::vector<CPNEvent*>& events, const CSetConditions& current,
                             bool random, CRandomSource& source);
};
