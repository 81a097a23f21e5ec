#include "cli/options/CSimulateOptions.h"

#include "base/TextValues.h"

#include <climits>

CSimulateOptions::CSimulateOptions()
    : CCommandOptions("simulate", Arguments::File,
                      "simulate FILE [--steps N] [--seed S] [--largest] [--break-at NAMES]...\n    "
                      "          [--occurrence-xml OUT] [--occurrence-graphml OUT]\n"
                      "          [--occurrence-dot OUT] [--save OUT] [--engine E]\n"
                      "          [--max-cases N] [--max-memory SIZE]",
                      "run the automatic simulation") {
    Value("--steps", "N", "stop after N steps (100)",
          [this](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Number(value, 0, INT_MAX);
              if (!n)
                  return "--steps takes a number of steps, not '" + value + "'";
              m_nSteps = static_cast<int>(*n);
              return std::nullopt;
          });
    Seed(m_seed);
    Flag("--largest", "fire the largest enabled step instead of a random one", m_bLargest);
    Value("--break-at", "a,b",
          "the case of exactly the conditions a and b is a breakpoint (repeatable)",
          [this](const std::string& value) -> std::optional<std::string> {
              m_breakAt.push_back(TextValues::Names(value));
              return std::nullopt;
          });
    Text("--occurrence-xml", "OUT", "write the occurrence net of the run as XML",
         m_strOccurrenceXml);
    Text("--occurrence-graphml", "OUT", "write the occurrence net of the run as GraphML",
         m_strOccurrenceGraphML);
    Text("--occurrence-dot", "OUT", "write the occurrence net of the run as a Graphviz DOT graph",
         m_strOccurrenceDot);
    Text("--save", "OUT", "save the document as it is after the run", m_strSave);
    Engine(m_engine);
}
