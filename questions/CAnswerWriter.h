#pragma once

#include "questions/CAnswer.h"

#include <string>
#include <vector>

// Writes answers as lines: to the output panes (the program's Output bar, zerin-cli's
// standard output), or as the lines of one part.
class CAnswerWriter {
public:
    // Every part's lines to its pane.
    static void Write(const CAnswer& answer);
    // The lines a part is written as.
    static std::vector<std::string> Lines(const CAnswer::Part& part);
    // "FORMULA id TRUE TECHNIQUES EXPLICIT", or "... CANNOT_COMPUTE".
    static std::string ContestLine(const CAnswer::Verdict& verdict);
};
