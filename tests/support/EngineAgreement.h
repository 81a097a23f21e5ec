#pragma once

#include <random>

class CNetDesign;
class CSetConditions;

// Holds the three engines (the stored graph, the cases without stored steps, the
// decision diagrams) to the same answers on one net, the stored graph as the reference
// (the cases found by 1, 2 and 4 threads, in the same order):
// counts, contact-freeness, the forward reachability of every case, the length of the
// shortest path to it, searches for random conditions; the steps produced on demand
// against the simulation's own listing, in order, and the automatic run's choice
// against the listed step. Failures are reported as the test's.
void ExpectEnginesAgree(const CNetDesign& net, const CSetConditions& initial, std::mt19937& gen);
