#pragma once

class CFileOptions;
class CCliSession;

// resave FILE OUT and new OUT.
class CFileCommands {
public:
    static int Resave(const CFileOptions& options, CCliSession& session);
    static int New(const CFileOptions& options, CCliSession& session);
};
