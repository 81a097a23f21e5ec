#pragma once

class CCaseGraphOptions;
class CCliSession;

// casegraph FILE: the case graph, its names, classes and case class, and its exports.
class CCaseGraphCommand {
public:
    static int Run(const CCaseGraphOptions& options, CCliSession& session);
};
