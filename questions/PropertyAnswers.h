#pragma once

#include "properties/CCheckLimits.h"
#include "properties/CPropertyChecker.h"
#include "properties/CPropertyResult.h"
#include "questions/CQuestion.h"

#include <memory>
#include <optional>
#include <string>

class CNetStructure;
struct CRun;

// What the questions about properties of the cases share: a checker of the net with the
// state equation as its quickest proof, the limits and the engine the arguments give, and
// their answers as parts.
namespace PropertyAnswers {

// The options every property question takes: --engine, --witness, --max-memory,
// --time-limit.
std::vector<CQuestion::Option> CommonOptions();
// The limits of --max-memory SIZE and --time-limit S (and the context's progress); the
// fault of a value that is none, else empty.
std::string Limits(const CQuestionContext& context, CCheckLimits& limits);
// A checker of the net, the state equation its quickest proof, --engine's engine only.
std::unique_ptr<CPropertyChecker> MakeChecker(const CQuestionContext& context);
// The verdict of a result (the contest's line).
CAnswer::Verdict VerdictOf(const CPropertyResult& result);
// A run of the net by the names of its events and conditions.
CAnswer::Run RunOf(const CRun& run, const CNetStructure& net);
// The result into the answer: its verdict, and its run where --witness asks for it (or
// always, with witness).
void Add(CAnswer& answer, const CPropertyResult& result, const CQuestionContext& context,
         bool witness = false);

} // namespace PropertyAnswers
