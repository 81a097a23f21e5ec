#pragma once

#include <ostream>
#include <string>
#include <vector>

// zerin-cli: reads the command line, runs the command and returns the exit status.
// The output panes' lines go to out while the command runs; diagnostics go to err.
class CCliApp {
public:
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static std::string Usage();
};
