#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// import FILE.pnml -o OUT: a PNML net as a new document.
class CImportOptions : public CCommandOptions {
public:
    CImportOptions();

    // The net of a file that holds several.
    std::optional<std::string> m_netId;

private:
    std::optional<std::string> Missing() const override;
};
