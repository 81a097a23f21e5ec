#pragma once

class CCliOptions;
class CCliSession;

// resave FILE OUT and new OUT.
class CFileCommands {
public:
    static int Resave(const CCliOptions& options, CCliSession& session);
    static int New(const CCliOptions& options, CCliSession& session);
};
