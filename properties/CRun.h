#pragma once

#include <cstddef>
#include <vector>

// A run of the net from its initial case, as the proof of an answer: the events fired
// one after the other and the cases passed, cases[0] the initial case and cases[i + 1]
// the case after events[i], each as the numbers of the conditions it holds.
//
// How it goes on after its last case:
// - Open: any way at all (a path to a case that settles the answer: a deadlock found, a
//   case where a condition fails);
// - Loop: for ever round the loop, firing events[loopStart], events[loopStart + 1], ...
//   again; the last case equals cases[loopStart];
// - Deadlock: the last case has no event with concession and the run stays there for
//   ever.
struct CRun {
    enum class EEnd { Open, Loop, Deadlock };

    std::vector<int> events;
    std::vector<std::vector<int>> cases;
    EEnd end = EEnd::Open;
    std::size_t loopStart = 0;

    bool operator==(const CRun&) const = default;
};
