#pragma once

class CCheckOptions;
class CCliSession;

// check FILE: "Enter Simulation Mode" with a full test.
class CCheckCommand {
public:
    static int Run(const CCheckOptions& options, CCliSession& session);
    // Enters simulation with a full test, as after an edit of the net: the exit status,
    // EXIT_CLI_NOT_CE_SYSTEM for a net that fails the test, EXIT_CLI_FAILURE (reported)
    // for a case graph that did not fit in memory.
    static int EnterWithFullTest(CCliSession& session);
};
