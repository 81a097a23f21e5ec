#pragma once

class CLayoutOptions;
class CCliSession;

// layout FILE: the case graph laid out on its grid and, for some generations, smoothed
// by the genetic optimiser with its default settings.
class CLayoutCommand {
public:
    static int Run(const CLayoutOptions& options, CCliSession& session);
};
