#pragma once

class CComplementOptions;
class CCliSession;

// complement FILE -o OUT: the complement conditions added and the result saved.
class CComplementCommand {
public:
    static int Run(const CComplementOptions& options, CCliSession& session);
};
