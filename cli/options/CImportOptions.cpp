#include "cli/options/CImportOptions.h"

CImportOptions::CImportOptions()
    : CCommandOptions("import", Arguments::File, "import FILE.pnml [--net ID] -o OUT",
                      "a PNML net (ISO/IEC 15909-2) as a new document") {
    Value("--net", "ID", "the net of a file that holds several",
          [this](const std::string& value) -> std::optional<std::string> {
              m_netId = value;
              return std::nullopt;
          });
    Output("save the new document as OUT");
}

std::optional<std::string> CImportOptions::Missing() const {
    if (m_strOutput.empty())
        return "import needs -o OUT";
    return std::nullopt;
}
