#include "cli/options/CExportOptions.h"

CExportOptions::CExportOptions()
    : CCommandOptions("export", Arguments::File, "export FILE [--netdesign OUT] [--pnml OUT]",
                      "write the net design XML or PNML") {
    Text("--netdesign", "OUT", "write the net design XML", m_strNetDesignXml);
    Text("--pnml", "OUT", "write the net design as a PNML place/transition net", m_strPnml);
}

std::optional<std::string> CExportOptions::Missing() const {
    if (m_strNetDesignXml.empty() && m_strPnml.empty())
        return "export needs --netdesign OUT or --pnml OUT";
    return std::nullopt;
}
