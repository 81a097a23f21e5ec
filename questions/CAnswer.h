#pragma once

#include "engines/CCaseRun.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// What a question answers, as data: the program's Output pane, the command line and a
// script each take it as it is and show it their way (CAnswerWriter writes the lines).
// An answer is a list of parts, each with the output pane it belongs to.
struct CAnswer {
    // A line of text as it is.
    struct Line {
        std::string text;
    };
    // A yes or no, or a number (a bound), of a property named by its id, with the
    // techniques that decided it; "unknown" where nothing was decided, with why. Written
    // as its sentence, or without one in the contest's form ("FORMULA id TRUE TECHNIQUES
    // EXPLICIT").
    struct Verdict {
        enum class EValue { True, False, Number, Unknown };
        std::string id;
        EValue value = EValue::Unknown;
        std::string number;
        std::vector<std::string> techniques;
        std::string why;
        double seconds = 0;
        std::string sentence;
    };
    // A number of things, named for scripts ("cases"), as a decimal text however large,
    // written as its sentence ("Total 3 case(s), 7 step(s)").
    struct Count {
        std::string name;
        std::string value;
        std::string sentence;
    };
    // Cases by their conditions, as texts, with how many there are in all.
    struct Cases {
        std::string heading;
        std::vector<std::string> cases;
        std::string total;
    };
    // A run through the cases: a way to a case, or the run that shows a verdict, a path
    // and the loop it repeats (loopStart < steps.size()), or ending where nothing has
    // concession any more.
    struct Run {
        enum class EEnd { Open, Loop, Deadlock };
        // From the first case, each step's events, whether it fires forward, the case it
        // leads to; as names.
        std::string from;
        struct Step {
            std::string events;
            bool forward = true;
            std::string to;
        };
        std::vector<Step> steps;
        EEnd end = EEnd::Open;
        std::size_t loopStart = 0;
        // The way as the engine found it, where it was a way through the case class.
        std::optional<CCaseRun> caseRun;
    };
    // Rows of named columns (invariants, siphons), each row written as its line where
    // one is given, else as its cells.
    struct Table {
        std::string heading;
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
        // Whether the rows are all there are.
        bool complete = true;
        std::vector<std::string> lines;
    };
    using Part = std::variant<Line, Verdict, Count, Cases, Run, Table>;

    struct Entry {
        int pane = 0;
        Part part;
    };
    std::vector<Entry> parts;

    // How the command line ends: 0 answered, 1 nothing found (a search without a case),
    // 2 not answered (a limit, a fault of the question's arguments).
    int status = 0;
    // What went wrong for status 2, naming the file and the reason.
    std::string error;

    void Add(int pane, Part part) { parts.push_back({pane, std::move(part)}); }
    // The answer of a question that could not be asked.
    static CAnswer Failed(std::string error) {
        CAnswer answer;
        answer.status = 2;
        answer.error = std::move(error);
        return answer;
    }
};
