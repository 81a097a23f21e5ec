#include "cli/options/CComplementOptions.h"

CComplementOptions::CComplementOptions()
    : CCommandOptions("complement", Arguments::File, "complement FILE -o OUT",
                      "add the complement conditions and save") {
    Output("save the completed document as OUT");
}

std::optional<std::string> CComplementOptions::Missing() const {
    if (m_strOutput.empty())
        return "complement needs -o OUT";
    return std::nullopt;
}
