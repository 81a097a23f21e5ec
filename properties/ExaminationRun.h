#pragma once

#include "properties/CCheckLimits.h"
#include "properties/CPropertyResult.h"
#include "properties/EExamination.h"

#include <string>
#include <vector>

class CPropertyChecker;

// One examination of a contest model folder, as the lines "FORMULA <id> TRUE|FALSE|<n>
// TECHNIQUES <words>" give it: the results of its formulas, read from the folder's
// <Examination>.xml, or the one result of a global examination.
struct CExaminationOutcome {
    // Empty when the examination ran; otherwise why it could not (the formula file cannot
    // be read: the file, the line and the reason).
    std::string error;
    std::vector<CPropertyResult> results;
};

namespace Examinations {

// Runs the examination with the checker of the folder's net (model.pnml, read by the
// caller); the limits hold for the whole examination.
CExaminationOutcome Run(CPropertyChecker& checker, const std::string& folder,
                        EExamination examination, const CCheckLimits& limits = {});

} // namespace Examinations
