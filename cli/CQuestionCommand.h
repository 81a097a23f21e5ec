#pragma once

#include "cli/options/CCommandOptions.h"
#include "questions/CQuestion.h"

#include <vector>

class CCliSession;
class CNetStructure;

// A question of the registry as zerin-cli's subcommand of its own: its options made from
// the question's, the file read (a .pnml without drawing it where the question needs the
// net alone), the case class computed where it needs it, the answer written to the
// standard output.
class CQuestionOptions : public CCommandOptions {
public:
    explicit CQuestionOptions(const CQuestion& question);

    const CQuestion& m_question;
    CQuestionArgs m_args;
    CEngineOptions m_engine;

private:
    // The synopsis of a question that has none written: its options in brackets.
    static std::string Synopsis(const CQuestion& question);
};

namespace CQuestionCommand {

int Run(const CQuestionOptions& options, CCliSession& session);
// The questions asked (in the order of their rank) of the session's document and its
// engine, each answer written; the exit status of the last that did not answer, else of
// the last.
int Ask(CCliSession& session, CCaseEngine* engine, const std::vector<const CQuestion*>& asked,
        const CQuestionArgs& args);
// What the session's engine choice is told a question needs.
int NeedsOf(const std::vector<const CQuestion*>& asked);

} // namespace CQuestionCommand
