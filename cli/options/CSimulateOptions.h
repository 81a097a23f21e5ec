#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// simulate FILE: the automatic run with its limits and breakpoints.
class CSimulateOptions : public CCommandOptions {
public:
    CSimulateOptions();

    int m_nSteps = 100;
    std::optional<unsigned> m_seed;
    bool m_bLargest = false;
    // Each entry one breakpoint case: the names of its conditions.
    std::vector<std::vector<std::string>> m_breakAt;
    std::string m_strOccurrenceXml;
    std::string m_strOccurrenceGraphML;
    std::string m_strOccurrenceDot;
    std::string m_strSave;
    CEngineOptions m_engine;
};
