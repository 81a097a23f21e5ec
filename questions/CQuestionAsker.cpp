#include "questions/CQuestionAsker.h"

#include "base/OutputWriter.h"
#include "casegraph/CCaseGraph.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"

#include <new>

bool CQuestionAsker::CanAsk(const CQuestion& question, const CQuestionContext& context) {
    switch (question.Needs()) {
    case CQuestion::ENeeds::Net:
        return true;
    case CQuestion::ENeeds::CaseClass:
        return context.engine != nullptr;
    case CQuestion::ENeeds::ListedCases:
        return context.engine && context.engine->ListsCases();
    case CQuestion::ENeeds::StoredGraph:
        return context.engine && context.doc && context.doc->CaseGraph().HasAllSteps() &&
               !context.doc->CaseGraph().Cases().empty();
    }
    return false;
}

CAnswer CQuestionAsker::Ask(const CQuestion& question, const CQuestionContext& context) {
    if (!CanAsk(question, context)) {
        if (context.engine && !context.engine->ListsCases()) {
            CAnswer answer;
            answer.Add(PANE_ANALYSIS,
                       CAnswer::Line{"The cases are kept as decision diagrams: they are not "
                                     "listed one by one (Total " +
                                     context.engine->CountCases() + " case(s))"});
            return answer;
        }
        return CAnswer::Failed(
            question.Needs() == CQuestion::ENeeds::StoredGraph
                ? question.Id() + " needs the stored case graph of every case and step"
                : question.Id() + " needs the case class: the net is to be tested first");
    }
    try {
        return question.Ask(context);
    } catch (const std::bad_alloc&) {
        return CAnswer::Failed(question.Id() + ": not enough memory");
    }
}
