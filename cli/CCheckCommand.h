#pragma once

class CCliOptions;
class CCliSession;

// check FILE: "Enter Simulation Mode" with a full test.
class CCheckCommand {
public:
    static int Run(const CCliOptions& options, CCliSession& session);
    // Enters simulation with a full test, as after an edit of the net; false when the
    // net is not a C/E system.
    static bool EnterWithFullTest(CCliSession& session);
};
