#include "cli/options/CFindOptions.h"

#include "cli/options/CliValues.h"

CFindOptions::CFindOptions()
    : CCommandOptions("find", Arguments::File,
                      "find FILE [--wanted a,b] [--unwanted c] [--all-cases] [--path]\n"
                      "          [--engine E] [--max-cases N] [--max-memory SIZE]",
                      "the cases holding the wanted conditions and\nnone of the unwanted ones; "
                      "with --path the\nshortest way to the first one") {
    Value("--wanted", "a,b", "the conditions a case must hold",
          [this](const std::string& value) -> std::optional<std::string> {
              m_wanted = CliValues::Names(value);
              return std::nullopt;
          });
    Value("--unwanted", "c", "the conditions a case must not hold",
          [this](const std::string& value) -> std::optional<std::string> {
              m_unwanted = CliValues::Names(value);
              return std::nullopt;
          });
    Flag("--all-cases", "look through every case, not only those reachable forwards", m_bAllCases);
    Flag("--path", "write the shortest way to the first case found", m_bPath);
    Engine(m_engine);
}
