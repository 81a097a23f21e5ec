#pragma once

#include "base/WorkProgress.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDC;

// What the lists of findings (the property list, the structure list) ask of the main
// window around them.
class CFindingsHost {
public:
    virtual ~CFindingsHost() = default;

    // Runs long work off the window's thread, showing its progress with Stop; the work is
    // told its progress and answers false once stopped. False when it was stopped.
    virtual bool RunWork(const std::string& title,
                         const std::function<bool(const WorkProgress&)>& work) = 0;
    // Whether the window may read the document now (no work runs on it).
    virtual bool CanReadDocument() const = 0;

    // The token game, entered where it is not yet (the net tested first); whether it is on.
    virtual bool EnterSimulation() = 0;
    // The net design in front, where the token game is played.
    virtual void ShowNetDesign() = 0;
    // Fires the selected events as the token game fires a step, animated: CAutomaticRun's
    // STEP_FINISHED, or STEP_SIMULATION_LEFT where no step can be fired now.
    virtual int FireSelectedStep() = 0;
    // A step is being animated or an automatic run is under way.
    virtual bool IsTokenGameBusy() const = 0;
    // The case graph's view shows the run marked in the graph (its cases in order, the
    // loop from loopStart); an empty list forgets it.
    virtual void ShowRunInCaseGraph(std::vector<std::uint32_t> cases, std::size_t loopStart) = 0;
    // Drawn over the net design; empty for nothing.
    virtual void SetNetDesignOverlay(std::function<void(CDC&)> draw) = 0;
    // The document changed in what the views and the title show.
    virtual void DocumentChanged() = 0;
};
