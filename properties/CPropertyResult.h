#pragma once

#include "properties/CRun.h"

#include <optional>
#include <string>
#include <vector>

enum class EVerdict { True, False, Number, CannotCompute };

// Why a property was left undecided.
enum class EStopReason {
    None,
    TimeLimit,
    MemoryLimit,
    Cancelled,
    // The formula's automaton or normal form grew past what the engine takes on.
    TooLarge,
    // No engine chosen decides formulas of this kind.
    Unsupported,
    // The engines that took it could not be sure (the state equation proves only that
    // no reachable case satisfies a formula).
    Inconclusive,
};

// The techniques behind an answer, as bits; TechniqueWords gives the contest's words.
enum ETechnique : unsigned {
    kExplicit = 1u << 0,         // EXPLICIT: cases one by one
    kSequential = 1u << 1,       // SEQUENTIAL_PROCESSING: one thread
    kStateCompression = 1u << 2, // STATE_COMPRESSION: cases as bit vectors
    kStateEquation = 1u << 3,    // STATE_EQUATION: no solution of the state equation
    kDecisionDiagrams = 1u << 4, // DECISION_DIAGRAMS: sets of cases as diagrams
    kAutomata = 1u << 5,         // LTL_NFA: the product with a Buchi automaton
    kTopological = 1u << 6,      // TOPOLOGICAL: the net's structure alone
};

// The words of the contest's TECHNIQUES field for the bits, in the order of the bits.
std::vector<std::string> TechniqueWords(unsigned techniques);

// The answer to one property, as data.
struct CPropertyResult {
    std::string id;
    EVerdict verdict = EVerdict::CannotCompute;
    // The answer of a Number verdict (a bound).
    long long number = 0;
    unsigned techniques = 0;
    EStopReason reason = EStopReason::None;
    // From the start of the check to the answer.
    double seconds = 0;
    // The run that shows the answer, where one does: for a TRUE answer a witness (EF, EX,
    // EU, EG, a deadlock found, an LTL formula under E), for FALSE a counterexample (AG,
    // AX, AU, AF, an LTL formula under A: a lasso), for a bound a run to a case that
    // reaches it.
    std::optional<CRun> run;
    // Global examinations: QuasiLiveness FALSE, the events that never get concession;
    // Liveness FALSE, the events that can no longer get concession once the run is done
    // (from the initial case where there is no run).
    std::vector<int> events;
    // StableMarking TRUE: the conditions that keep their initial value in every case.
    std::vector<int> conditions;
};
