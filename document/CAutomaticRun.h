#pragma once

#include "model/CSetEvents.h"

#include <functional>
#include <vector>

class CZerinDoc;

// The automatic simulation started from the simulation bar: random steps, each
// animated by the caller, until no step is possible, a breakpoint case is reached or
// the stop button clears m_bAutoRun. The net design view owns one.
class CAutomaticRun {
public:
    // What the animation of one step reports, as the view's AnimateStep returns it.
    static constexpr int STEP_FINISHED = 0;
    static constexpr int STEP_SIMULATION_LEFT = 1;
    static constexpr int STEP_QUITTING = 2;

    // The step each round chooses (ChooseAutomaticStep's mode): the simulation bar
    // draws one at random; the command line may take the largest instead.
    static constexpr int CHOOSE_LARGEST = 0;
    static constexpr int CHOOSE_RANDOM = 1;

    // Runs until it stops; nothing happens while a run is under way or outside
    // simulation mode. animateStep fires the selected step and returns STEP_*.
    void Run(CZerinDoc& doc, const std::function<int()>& animateStep,
             int chooseMode = CHOOSE_RANDOM);
    // Fires the given steps one after the other from the current case, animated and
    // stoppable as a run; it ends early when a step has no concession.
    void Replay(CZerinDoc& doc, const std::vector<CSetEvents>& steps,
                const std::function<int()>& animateStep);
    // The stop button: the step under way is finished first.
    void Stop() { m_bAutoRun = false; }
    bool IsRunning() const { return m_bAutoRun; }

    // A step fired without a window: the calls of the view's animation in the same
    // order, without waiting between the frames. Returns STEP_FINISHED, or
    // STEP_SIMULATION_LEFT when the document is not in simulation mode.
    static int ExecuteStepWithoutAnimation(CZerinDoc& doc);

    bool m_bAutoRun = false;

private:
    // The loop of a run: choose selects the next step (false when there is none).
    // Returns false when the application is quitting.
    bool Loop(CZerinDoc& doc, const std::function<int()>& animateStep,
              const std::function<bool()>& choose, bool stopAtBreakpoints, bool& found);
};
