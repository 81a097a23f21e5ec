#pragma once

#include <string>
#include <vector>

class CSimulateOptions;
class CCliSession;

// simulate FILE: a full test, then the automatic run with its step limit, step choice
// and breakpoints; the occurrence net and the document may be written afterwards.
class CSimulateCommand {
public:
    static int Run(const CSimulateOptions& options, CCliSession& session);

private:
    // Makes the case of exactly the named conditions a breakpoint; false after
    // reporting a name that no condition has.
    static bool SetBreakpoints(const std::vector<std::vector<std::string>>& cases,
                               CCliSession& session);
};
