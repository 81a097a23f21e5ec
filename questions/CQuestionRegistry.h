#pragma once

#include "questions/CQuestion.h"

#include <memory>
#include <string>
#include <vector>

// Every question, in the order of the help and of the menu; made once with those of
// QuestionList.cpp, more may be added before they are offered.
class CQuestionRegistry {
public:
    // False (and nothing added) for an id taken already.
    bool Add(std::unique_ptr<CQuestion> question);
    const std::vector<std::unique_ptr<CQuestion>>& Questions() const { return m_arrQuestions; }
    // The question of the id; null for none.
    const CQuestion* Find(const std::string& id) const;
    // The questions zerin-cli asks as flags of the command, in the registry's order.
    std::vector<const CQuestion*> FlagsOf(const std::string& command) const;

private:
    std::vector<std::unique_ptr<CQuestion>> m_arrQuestions;
};

// The questions of the program, the command line and scripts.
CQuestionRegistry& Questions();
