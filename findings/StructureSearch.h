#pragma once

#include "base/WorkProgress.h"
#include "questions/StructureAnswers.h"

#include <string>

class CNetStructure;

// What the Analysis menu's structure questions find of the net, found once for both the
// Output pane (StructureAnswers::Answer) and the structure list: "invariants" the S- and
// T-invariants, "siphons" the minimal siphons with their largest traps, each list up to
// its first 1,000.
namespace StructureSearch {

// Whether the program lists the question's answer beside the Output pane.
bool IsListed(const std::string& questionId);
StructureAnswers::Found Find(const std::string& questionId, const CNetStructure& net,
                             const WorkProgress& progress = {});

} // namespace StructureSearch
