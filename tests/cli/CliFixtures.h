#pragma once

#include <string>
#include <vector>

// Nets for the command-line tests, built through the document and saved as .zrn:
//  "cycle"      b1 (marked) -> e1 -> b2 -> e2 -> b1, a C/E system with two cases;
//  "twocycles"  two independent cycles a1/a2 (f1, f2) and b1/b2 (g1, g2): four cases,
//               single and double steps, so a random run has choices;
//  "oneway"     b1 (marked) -> e1 -> b2, which stops after one step;
//  "contact"    b1 and b2 marked, e1 from b1 and e2 from b2 both to b3: a C/E system
//               that is not contact-free (after e1, e2 meets a marked b3).
// and the example nets by their names. Returns the path written in the folder.
std::string WriteFixture(const std::string& folder, const std::string& name);

// The committed documents of the file tests.
std::string ValidData(const std::string& name);
std::string CorruptData(const std::string& name);

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> Lines() const;
};

// Runs the built zerin-cli with the arguments, without a display.
CliResult RunCli(const std::vector<std::string>& args);

std::string ReadText(const std::string& path);
