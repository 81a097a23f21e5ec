#pragma once

class CExportOptions;
class CCliSession;

// export FILE --netdesign OUT: the net design XML export.
class CExportCommand {
public:
    static int Run(const CExportOptions& options, CCliSession& session);
};
