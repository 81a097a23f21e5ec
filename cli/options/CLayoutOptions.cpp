#include "cli/options/CLayoutOptions.h"

#include "base/TextValues.h"

#include <climits>

CLayoutOptions::CLayoutOptions()
    : CCommandOptions("layout", Arguments::File,
                      "layout FILE [--seed S] [--generations G] [--population P] [-o OUT]\n"
                      "            [--engine E] [--max-cases N] [--max-memory SIZE]",
                      "lay the case graph out and smooth it") {
    Seed(m_seed);
    Value("--generations", "G", "smooth for G generations",
          [this](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Number(value, 0, INT_MAX);
              if (!n)
                  return "--generations takes a number of generations, not '" + value + "'";
              m_nGenerations = static_cast<int>(*n);
              return std::nullopt;
          });
    Value("--population", "P", "smooth with a population of P",
          [this](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Number(value, 1, 100000);
              if (!n)
                  return "--population takes a population size, not '" + value + "'";
              m_population = static_cast<int>(*n);
              return std::nullopt;
          });
    Output("save the laid-out document as OUT");
    Engine(m_engine);
}
