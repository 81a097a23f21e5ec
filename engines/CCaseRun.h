#pragma once

#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <optional>
#include <string>
#include <vector>

// A way through the case class from one case to another, step by step: each step's
// events, whether it fires them forward or undoes them backward, and the case it leads
// to. A way looked for and not found has found false and no steps.
struct CCaseRun {
    struct Step {
        CSetEvents events;
        bool forward = true;
        CSetConditions to;
    };
    CSetConditions from;
    CSetConditions to;
    bool found = false;
    std::vector<Step> steps;

    bool IsForwardOnly() const;
    // The lines "Show Path" writes: a heading, then "step k: { events } → { case }" per
    // step, "backward" before the arrow for a step undone; "No path from ... to ..." for
    // a way not found.
    std::vector<std::string> Describe() const;

    // The same lines from the texts of the cases and steps.
    struct TextStep {
        std::string events;
        bool forward = true;
        std::string to;
    };
    static std::vector<std::string> Describe(const std::string& from, const std::string& to,
                                             bool found, const std::vector<TextStep>& steps);
};

// The lines of a run, none where there is no run (a case outside the class).
inline std::vector<std::string> DescribeRun(const std::optional<CCaseRun>& run) {
    return run ? run->Describe() : std::vector<std::string>();
}
