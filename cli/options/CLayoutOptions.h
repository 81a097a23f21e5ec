#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// layout FILE: the case graph laid out and smoothed.
class CLayoutOptions : public CCommandOptions {
public:
    CLayoutOptions();

    std::optional<unsigned> m_seed;
    int m_nGenerations = 0;
    std::optional<int> m_population;
    CEngineOptions m_engine;
};
