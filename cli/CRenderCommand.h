#pragma once

class CRenderOptions;
class CCliSession;

// render FILE -o OUT: the picture of the net design, the case graph or the occurrence
// net, in the format of OUT's extension.
class CRenderCommand {
public:
    static int Run(const CRenderOptions& options, CCliSession& session);
};
