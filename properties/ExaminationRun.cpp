#include "properties/ExaminationRun.h"

#include "properties/CPropertyChecker.h"
#include "properties/CPropertyFileReader.h"

#include <filesystem>

namespace Examinations {

CExaminationOutcome Run(CPropertyChecker& checker, const std::string& folder,
                        EExamination examination, const CCheckLimits& limits) {
    CExaminationOutcome outcome;
    if (IsGlobal(examination)) {
        outcome.results.push_back(checker.CheckGlobal(examination, limits));
        return outcome;
    }
    const std::string path =
        (std::filesystem::path(folder) / (std::string(Name(examination)) + ".xml")).string();
    CPropertyFileReader reader(checker.Net());
    const bool ltl =
        examination == EExamination::LTLCardinality || examination == EExamination::LTLFireability;
    if (!reader.ReadFile(path, ltl ? CPropertyFileReader::ELogic::Ltl
                                   : CPropertyFileReader::ELogic::Ctl)) {
        outcome.error = reader.Error();
        return outcome;
    }
    outcome.results = checker.Check(reader.Properties(), limits);
    return outcome;
}

} // namespace Examinations
