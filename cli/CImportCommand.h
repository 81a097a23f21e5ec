#pragma once

class CImportOptions;
class CCliSession;

// import FILE.pnml [--net ID] -o OUT: a PNML net as a new document.
class CImportCommand {
public:
    static int Run(const CImportOptions& options, CCliSession& session);
};
