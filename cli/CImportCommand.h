#pragma once

class CCliOptions;
class CCliSession;

// import FILE.pnml [--net ID] -o OUT: a PNML net as a new document.
class CImportCommand {
public:
    static int Run(const CCliOptions& options, CCliSession& session);
};
