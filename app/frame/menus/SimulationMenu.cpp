#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Entering and leaving simulation, a step, the reset and the breakpoints.
std::vector<CCommandRow> MakeSimulationMenu() {
    return {
        {.id = ID_SHOW_SIMULATING_SYSTEM,
         .menu = "Simulation",
         .text = "Show Simulating System",
         .prompt = "Show the simulating net\nShow Simulating System",
         .checkable = true,
         .rule = kShowNetDesign,
         .handler = Frame(&CMainFrame::ShowNetDesign)},
        {.id = 0, .menu = "Simulation"},
        {.id = ID_ENTER_SIMULATION,
         .menu = "Simulation",
         .text = "Enter Simulation Mode",
         .prompt = "Test the net and start the token game\nEnter Simulation Mode",
         .toolbar = 2,
         .slot = 1,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(!c.doc.Simulation().IsActive()); },
         .handler = Frame(&CMainFrame::EnterSimulation)},
        {.id = ID_LEAVE_SIMULATION,
         .menu = "Simulation",
         .text = "Leave Simulation Mode",
         .prompt = "Stop the token game\nLeave Simulation Mode",
         .toolbar = 2,
         .slot = 2,
         .rule = Active(),
         .handler = Simulation(&CSimulation::Leave)},
        {.id = 0, .menu = "Simulation"},
        {.id = ID_EXECUTE_STEP,
         .menu = "Simulation",
         .text = "Execute Step",
         .prompt = "Fire the selected events\nExecute Step",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_RESET_SYSTEM,
         .menu = "Simulation",
         .text = "Reset System",
         .prompt = "Return to the initial case\nReset System",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Simulation"},
        {.id = ID_SET_BREAKPOINTS,
         .menu = "Simulation",
         .text = "Set Breakpoints",
         .prompt = "Choose the cases an automatic run stops at\nSet Breakpoints",
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(c.doc.Simulation().CanSetBreakpoints()); },
         .handler = Simulation(&CSimulation::EditBreakpoints)},
    };
}
