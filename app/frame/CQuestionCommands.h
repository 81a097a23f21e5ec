#pragma once

#include "app/frame/CCommandTable.h"
#include "questions/CQuestion.h"

#include <optional>

#include <vector>

class CQuestion;
class CZerinDoc;

// The questions of the registry as commands of the Analysis menu: a row per question
// with a menu entry, enabled when the document can answer it, asked of the document and
// its engine, the answer written to the Output pane.
namespace QuestionCommands {

// The rows of the questions whose entries stand first (first) or after the others.
std::vector<CCommandRow> Rows(bool first, int& nextId);
bool CanAsk(const CZerinDoc& doc, const CQuestion& question);
// Asks with the menu entry's flags (or the arguments given) and writes the answer; where
// it did not answer, says why. Returns the answer.
CAnswer Ask(CZerinDoc& doc, const CQuestion& question,
            const std::optional<CQuestionArgs>& args = std::nullopt);

} // namespace QuestionCommands
