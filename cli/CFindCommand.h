#pragma once

class CCliOptions;
class CCliSession;

// zerin-cli find: the case class verification of the dialog, and the way to a case.
class CFindCommand {
public:
    static int Run(const CCliOptions& options, CCliSession& session);
};
