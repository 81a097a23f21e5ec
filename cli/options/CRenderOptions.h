#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// render FILE -o OUT: a diagram as a picture.
class CRenderOptions : public CCommandOptions {
public:
    CRenderOptions();

    // "net", "casegraph" or "occurrence".
    std::string m_strView = "net";
    bool m_bStandalone = false;
    std::optional<unsigned> m_seed;

    CEngineOptions m_engine;

private:
    std::optional<std::string> Missing() const override;
};
