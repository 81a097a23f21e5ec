#pragma once

#include <array>

// The document's own settings and states, as its file's record holds them (and what
// goes with them while the document is open): the grid, whether the net was tested
// since its last edit, whether its case graph is computed and laid out, the counters
// that name new elements.
struct CDocumentRecord {
    // The kinds of the name counters.
    static constexpr int NAME_CONDITION = 0;
    static constexpr int NAME_EVENT = 1;
    static constexpr int NAME_NET_LABEL = 2;
    static constexpr int NAME_DIAGRAM_LABEL = 3;

    int fileVersion = 1;
    bool grid = true;
    bool ruler = false;
    // The user's grid setting while simulation mode switches the grid off.
    bool gridSaved = true;
    int gridSize = 10;
    // The net was read from a file: the next simulation builds its structure first.
    bool rebuildInitialCase = false;
    // The net changed since its last test: the case graph and the record are not its.
    bool netModified = true;
    bool caseGraphLaidOut = false;
    bool caseGraphValid = false;
    bool contactFree = false;
    std::array<int, 4> nextName{1, 1, 1, 1};
    // The case graph's page changed size since a view last asked.
    bool caseGraphResized = false;

    bool operator==(const CDocumentRecord&) const = default;
};
