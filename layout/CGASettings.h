#pragma once

// The optimiser's parameters as the settings dialog shows and edits them.
struct CGASettings {
    int m_nCross = 0;
    int m_nGridSize = 0;
    // Shown only: the number of nodes.
    int m_nLength = 0;
    int m_nMutationMove = 0;
    int m_nMutationSmallMove = 0;
    int m_nMutationSwap = 0;
    int m_nPopulationSize = 0;
    int m_nWeightIntersections = 0;
    int m_nWeightLength = 0;
    int m_nWeightMinDistance = 0;
    int m_nWeightMaxDistance = 0;
    // A search has started since the last reset: grid and population size are fixed.
    bool m_bLocked = false;
};
