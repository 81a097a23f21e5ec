#pragma once

#include <string>
#include <vector>

class CDC;
class CZerinDoc;

// The example documents shipped with Zerin, each a C/E system:
//  "philosophers"       three dining philosophers sharing three forks;
//  "producer-consumer"  a producer and a consumer around a buffer of one place;
//  "mutex"              two processes taking turns in a critical section.
class CExampleNets {
public:
    static std::vector<std::string> Names();
    // What the named example shows, in one line; empty for an unknown name.
    static std::string Describe(const std::string& name);
    // Draws the named example into an empty document; false for an unknown name.
    static bool Build(const std::string& name, CZerinDoc& doc, CDC& dc);
};
