#pragma once

class CFindOptions;
class CCliSession;

// zerin-cli find: the case class verification of the dialog, and the way to a case.
class CFindCommand {
public:
    static int Run(const CFindOptions& options, CCliSession& session);
};
