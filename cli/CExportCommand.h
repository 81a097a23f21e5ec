#pragma once

class CCliOptions;
class CCliSession;

// export FILE --netdesign OUT: the net design XML export.
class CExportCommand {
public:
    static int Run(const CCliOptions& options, CCliSession& session);
};
