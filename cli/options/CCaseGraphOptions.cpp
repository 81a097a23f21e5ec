#include "cli/options/CCaseGraphOptions.h"

#include "cli/options/CliValues.h"

#include <climits>

CCaseGraphOptions::CCaseGraphOptions()
    : CCommandOptions("casegraph", Arguments::File,
                      "casegraph FILE [--names] [--classes] [--class-summary] [--case-class]\n"
                      "               [--xml OUT] [--class-xml OUT] [--graphml OUT] [--dot OUT]\n"
                      "               [--max-cases N] [--max-memory SIZE]",
                      "compute the case graph and write its analyses") {
    Flag("--names", "write the names of the cases and steps", m_bNames);
    Flag("--classes", "write the forward-reachable classes", m_bClasses);
    Flag("--class-summary", "write how many classes there are and the largest, not the listing",
         m_bClassSummary);
    Flag("--case-class", "write the case class", m_bCaseClass);
    Text("--xml", "OUT", "write the case graph as XML", m_strXml);
    Text("--graphml", "OUT", "write the case graph as GraphML", m_strGraphML);
    Text("--dot", "OUT", "write the case graph as a Graphviz DOT graph", m_strDot);
    Text("--class-xml", "OUT", "write the case class as XML", m_strClassXml);
    Value("--max-cases", "N", "stop past N cases with exit status 2",
          [this](const std::string& value) -> std::optional<std::string> {
              const auto n = CliValues::Number(value, 1, LLONG_MAX);
              if (!n)
                  return "--max-cases takes a number of cases, not '" + value + "'";
              m_nMaxCases = *n;
              return std::nullopt;
          });
    Value("--max-memory", "SIZE", "stop past SIZE bytes of memory (512M, 2G) with exit status 2",
          [this](const std::string& value) -> std::optional<std::string> {
              const auto n = CliValues::Size(value);
              if (!n)
                  return "--max-memory takes a size such as 512M or 2G, not '" + value + "'";
              m_nMaxMemory = *n;
              m_strMaxMemory = value;
              return std::nullopt;
          });
}
