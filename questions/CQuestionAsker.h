#pragma once

#include "questions/CQuestion.h"

// Asks a question after checking that what it needs is there: the engine of the case
// class, its cases one by one, or the stored graph. The program, the command line and
// scripts all ask through it.
class CQuestionAsker {
public:
    // The answer; where what the question needs is missing, an answer that says so
    // (a class kept as decision diagrams: that its cases are not listed, with their
    // number).
    static CAnswer Ask(const CQuestion& question, const CQuestionContext& context);
    // Whether the context has what the question needs.
    static bool CanAsk(const CQuestion& question, const CQuestionContext& context);
};
