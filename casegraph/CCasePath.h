#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CCaseGraph;
class CPNCase;

// The shortest way through the case graph from one case to another: forward steps
// only when the target is forward reachable, otherwise forward and backward steps.
// Breadth first over the graph's arcs; ties go to the lower node index, so that the
// same graph always gives the same path.
class CCasePath {
public:
    struct Step {
        // The index of the step among the graph's steps, and its events as text.
        std::size_t step = 0;
        std::string events;
        // Fired forward (from the arc's start to its end) or undone backward.
        bool forward = true;
        // The case the step leads to.
        const CPNCase* to = nullptr;
    };

    static CCasePath Find(const CCaseGraph& graph, const CPNCase* from, const CPNCase* to);
    // A path found elsewhere, its steps among the graph's steps.
    static CCasePath Of(std::vector<Step> steps);

    bool IsFound() const { return m_bFound; }
    bool IsForwardOnly() const { return m_bForwardOnly; }
    const std::vector<Step>& GetSteps() const { return m_steps; }

    // The lines of the output: a heading, then "step k: { events } → { case }" per
    // step, "backward" before the arrow for a step undone.
    std::vector<std::string> Describe(const CPNCase* from, const CPNCase* to) const;


private:
    bool m_bFound = false;
    bool m_bForwardOnly = true;
    std::vector<Step> m_steps;
};
