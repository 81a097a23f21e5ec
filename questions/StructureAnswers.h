#pragma once

#include "questions/CQuestion.h"
#include "structure/CSemiflowResult.h"
#include "structure/CSiphonResult.h"

#include <optional>

// The answers of the questions of the net's structure in their three forms: lines for
// people (with the rows as data for scripts), CSV and JSON for other programs. The JSON
// is a contract: {"s_invariants": [{"weights": {"<name>": 1, ...}, "value": 1}, ...],
// "t_invariants": [{"weights": {...}}, ...], "siphons": [["<name>", ...], ...],
// "traps": [[...], ...], "complete": true}, complete false where a list stopped at its
// limit; a list not asked for is left out.
namespace StructureAnswers {

struct Found {
    std::optional<CSemiflowResult> sInvariants;
    std::optional<CSemiflowResult> tInvariants;
    std::optional<CSiphonResult> siphons;
    bool traps = false;
};

// The options of the structure's questions: --format and --limit.
std::vector<CQuestion::Option> FormatOptions();
// The limit of --limit N (1,000 by default); the fault of a value that is none.
std::string Limit(const CQuestionContext& context, std::size_t& limit);
// What was found, in the form --format asks for.
CAnswer Answer(const Found& found, const CQuestionContext& context);

} // namespace StructureAnswers
