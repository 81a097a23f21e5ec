#include "properties/EExamination.h"

#include <array>

namespace {

constexpr std::array<const char*, Examinations::kCount> kNames = {
    "ReachabilityDeadlock",    "QuasiLiveness",  "Liveness",
    "StableMarking",           "OneSafe",        "ReachabilityCardinality",
    "ReachabilityFireability", "CTLCardinality", "CTLFireability",
    "LTLCardinality",          "LTLFireability", "UpperBounds"};

} // namespace

namespace Examinations {

const char* Name(EExamination examination) {
    return kNames[static_cast<std::size_t>(examination)];
}

std::optional<EExamination> FromName(const std::string& name) {
    for (int i = 0; i < kCount; ++i)
        if (name == kNames[static_cast<std::size_t>(i)])
            return At(i);
    return std::nullopt;
}

bool IsGlobal(EExamination examination) {
    return examination <= EExamination::OneSafe;
}

} // namespace Examinations
