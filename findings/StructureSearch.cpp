#include "findings/StructureSearch.h"

#include "structure/CInvariantAnalysis.h"
#include "structure/CSiphonAnalysis.h"

namespace StructureSearch {

bool IsListed(const std::string& questionId) {
    return questionId == "invariants" || questionId == "siphons";
}

StructureAnswers::Found Find(const std::string& questionId, const CNetStructure& net,
                             const WorkProgress& progress) {
    StructureAnswers::Found found;
    if (questionId == "invariants") {
        const CInvariantAnalysis analysis(net);
        found.sInvariants = analysis.FindSInvariants(CSemiflowSearch::kDefaultLimit, progress);
        found.tInvariants = analysis.FindTInvariants(CSemiflowSearch::kDefaultLimit, progress);
    } else if (questionId == "siphons") {
        found.siphons = CSiphonAnalysis(net).Analyse(CSiphonAnalysis::kDefaultLimit, progress);
        found.traps = true;
    }
    return found;
}

} // namespace StructureSearch
