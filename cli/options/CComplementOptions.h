#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// complement FILE -o OUT: the net with its complement conditions.
class CComplementOptions : public CCommandOptions {
public:
    CComplementOptions();

private:
    std::optional<std::string> Missing() const override;
};
