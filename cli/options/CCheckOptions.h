#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// check FILE: the net's test for the C/E system requirements.
class CCheckOptions : public CCommandOptions {
public:
    CCheckOptions();

    CEngineOptions m_engine;
};
