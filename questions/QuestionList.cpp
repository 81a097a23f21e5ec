#include "questions/CQuestionRegistry.h"

// Every question, one line each, in the order of the help and the menu.
std::unique_ptr<CQuestion> MakeCountsQuestion();
std::unique_ptr<CQuestion> MakeNamesQuestion();
std::unique_ptr<CQuestion> MakeClassesQuestion();
std::unique_ptr<CQuestion> MakeClassSummaryQuestion();
std::unique_ptr<CQuestion> MakeCaseClassQuestion();
std::unique_ptr<CQuestion> MakeContactFreeQuestion();
std::unique_ptr<CQuestion> MakeForwardQuestion();
std::unique_ptr<CQuestion> MakeFindQuestion();
std::unique_ptr<CQuestion> MakePropertiesQuestion();
std::unique_ptr<CQuestion> MakeDeadlockQuestion();
std::unique_ptr<CQuestion> MakeInvariantsQuestion();
std::unique_ptr<CQuestion> MakeSiphonsQuestion();
std::unique_ptr<CQuestion> MakeReachableQuestion();
std::unique_ptr<CQuestion> MakeClassReachQuestion();
std::unique_ptr<CQuestion> MakeClassDeadlockQuestion();
std::unique_ptr<CQuestion> MakeClassDeadEventsQuestion();

void RegisterQuestions(CQuestionRegistry& registry) {
    registry.Add(MakeCountsQuestion());
    registry.Add(MakeNamesQuestion());
    registry.Add(MakeClassesQuestion());
    registry.Add(MakeClassSummaryQuestion());
    registry.Add(MakeCaseClassQuestion());
    registry.Add(MakeContactFreeQuestion());
    registry.Add(MakeForwardQuestion());
    registry.Add(MakeFindQuestion());
    registry.Add(MakePropertiesQuestion());
    registry.Add(MakeDeadlockQuestion());
    registry.Add(MakeInvariantsQuestion());
    registry.Add(MakeSiphonsQuestion());
    registry.Add(MakeReachableQuestion());
    registry.Add(MakeClassReachQuestion());
    registry.Add(MakeClassDeadlockQuestion());
    registry.Add(MakeClassDeadEventsQuestion());
}
