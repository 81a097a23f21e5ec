#pragma once

class CSimulateOptions;
class CCliSession;

// simulate FILE: a full test, then the automatic run with its step limit, step choice
// and breakpoints; the occurrence net and the document may be written afterwards.
class CSimulateCommand {
public:
    static int Run(const CSimulateOptions& options, CCliSession& session);
};
