#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// find FILE: the cases holding some conditions and none of others.
class CFindOptions : public CCommandOptions {
public:
    CFindOptions();

    std::vector<std::string> m_wanted;
    std::vector<std::string> m_unwanted;
    bool m_bAllCases = false;
    bool m_bPath = false;
    CEngineOptions m_engine;
};
