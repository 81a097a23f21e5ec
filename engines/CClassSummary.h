#pragma once

#include <string>
#include <vector>

class CNodeAdjacency;

// How many forward-reachable classes a graph's cases fall into (cases that reach the same
// cases are of one class), and the largest of them with the cases each reaches, found in
// one walk without listing every class: the listing of a large graph runs to gigabytes.
struct CClassSummary {
    int classes = 0;
    int cases = 0;
    // The largest classes first (at most kLargest), of equal ones the one found first.
    struct Class {
        int size = 0;
        int reaching = 0;
    };
    std::vector<Class> largest;

    static constexpr int kLargest = 5;
    static CClassSummary Of(const CNodeAdjacency& successors);

    // The lines the Analysis pane shows: a heading, the totals, the largest.
    std::vector<std::string> Lines() const;
};
