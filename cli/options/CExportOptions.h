#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// export FILE: the net design as XML or PNML.
class CExportOptions : public CCommandOptions {
public:
    CExportOptions();

    std::string m_strNetDesignXml;
    std::string m_strPnml;

private:
    std::optional<std::string> Missing() const override;
};
