#pragma once

#include "model/CNetStructure.h"

#include <random>
#include <string>
#include <vector>

// Nets for the structure tests, as numbers.

// A random net of the tests' family (BuildRandomNet), as numbers.
CNetStructure RandomStructure(std::mt19937& gen, int conditions, int events);
// A net from a line of text (BuildNetFromText), as numbers.
CNetStructure StructureFromText(const std::string& text);
// The incidence C[c][e]: 1 where c is after e only, -1 where before e only, else 0.
int Incidence(const CNetStructure& net, int c, int e);
// The cases a random run of the token game passes through (C/E rule, one event a step),
// starting with the initial case.
std::vector<std::vector<bool>> RandomRun(const CNetStructure& net, std::mt19937& gen, int steps);
