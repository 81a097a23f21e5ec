#pragma once

#include <optional>
#include <string>

// The Model Checking Contest's examinations of a model: the five global ones, each one
// answer named by the examination, and the seven read from the model folder's
// <Name>.xml, an answer per formula.
enum class EExamination {
    ReachabilityDeadlock,
    QuasiLiveness,
    Liveness,
    StableMarking,
    OneSafe,
    ReachabilityCardinality,
    ReachabilityFireability,
    CTLCardinality,
    CTLFireability,
    LTLCardinality,
    LTLFireability,
    UpperBounds,
};

namespace Examinations {

constexpr int kCount = 12;
// The contest's name ("ReachabilityDeadlock"), also the formula file's name.
const char* Name(EExamination examination);
std::optional<EExamination> FromName(const std::string& name);
bool IsGlobal(EExamination examination);
inline EExamination At(int i) {
    return static_cast<EExamination>(i);
}

} // namespace Examinations
