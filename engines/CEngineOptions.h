#pragma once

#include "engines/CaseEngines.h"

#include <string>

// How the case class is computed, and its limits: zerin-cli's --engine, --max-cases and
// --max-memory (the same for every command that computes it), a script's arguments.
struct CEngineOptions {
    ECaseEngine engine = ECaseEngine::Auto;
    // Limits (0: none): cases, and memory in bytes and as written.
    long long maxCases = 0;
    long long maxMemory = 0;
    std::string maxMemoryText;
};
