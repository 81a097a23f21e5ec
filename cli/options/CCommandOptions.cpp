#include "cli/options/CCommandOptions.h"

#include "base/TextValues.h"

#include <algorithm>
#include <climits>

namespace {

// The column where descriptions start in the overview.
constexpr std::size_t kColumn = 33;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace

CCommandOptions::CCommandOptions(std::string name, Arguments arguments, std::string synopsis,
                                 std::string description)
    : m_strName(std::move(name)), m_arguments(arguments), m_strSynopsis(std::move(synopsis)),
      m_strDescription(std::move(description)) {}

void CCommandOptions::Flag(const std::string& name, const std::string& help, bool& target) {
    m_options.push_back({name, {}, help, [&target](const std::string&) {
                             target = true;
                             return std::optional<std::string>();
                         }});
}

void CCommandOptions::Flag(const std::string& name, const std::string& help,
                           std::function<void()> set) {
    m_options.push_back({name, {}, help, [set = std::move(set)](const std::string&) {
                             set();
                             return std::optional<std::string>();
                         }});
}

void CCommandOptions::Value(const std::string& name, const std::string& valueName,
                            const std::string& help,
                            std::function<std::optional<std::string>(const std::string&)> take) {
    m_options.push_back({name, valueName, help, std::move(take)});
}

void CCommandOptions::Text(const std::string& name, const std::string& valueName,
                           const std::string& help, std::string& target) {
    Value(name, valueName, help, [&target](const std::string& value) {
        target = value;
        return std::optional<std::string>();
    });
}

void CCommandOptions::Output(const std::string& help) {
    Text("-o", "OUT", help, m_strOutput);
}

void CCommandOptions::Seed(std::optional<unsigned>& target) {
    Value("--seed", "S", "seed the random numbers with S instead of the time",
          [&target](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Number(value, 0, UINT_MAX);
              if (!n)
                  return "--seed takes a number from 0 to " + std::to_string(UINT_MAX) + ", not '" +
                         value + "'";
              target = static_cast<unsigned>(*n);
              return std::nullopt;
          });
}

void CCommandOptions::Engine(CEngineOptions& target) {
    Value("--engine", "E", "how the case graph is computed: explicit, cases, symbolic or auto",
          [&target](const std::string& value) -> std::optional<std::string> {
              const auto engine = ParseCaseEngine(value);
              if (!engine)
                  return "--engine takes explicit, cases, symbolic or auto, not '" + value + "'";
              target.engine = *engine;
              return std::nullopt;
          });
    Value("--max-cases", "N", "stop past N cases with exit status 2",
          [&target](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Number(value, 1, LLONG_MAX);
              if (!n)
                  return "--max-cases takes a number of cases, not '" + value + "'";
              target.maxCases = *n;
              return std::nullopt;
          });
    Value("--max-memory", "SIZE", "stop past SIZE bytes of memory (512M, 2G) with exit status 2",
          [&target](const std::string& value) -> std::optional<std::string> {
              const auto n = TextValues::Size(value);
              if (!n)
                  return "--max-memory takes a size such as 512M or 2G, not '" + value + "'";
              target.maxMemory = *n;
              target.maxMemoryText = value;
              return std::nullopt;
          });
}

bool CCommandOptions::Fail(const std::string& reason) {
    m_strError = reason;
    return false;
}

bool CCommandOptions::Parse(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            m_bHelp = true;
            return true;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        const auto option = std::find_if(m_options.begin(), m_options.end(),
                                         [&arg](const Option& o) { return o.name == arg; });
        if (option == m_options.end())
            return Fail("unknown option '" + arg + "' for " + m_strName);
        std::string value;
        if (!option->valueName.empty()) {
            if (i + 1 >= args.size())
                return Fail("option '" + arg + "' needs a value");
            value = args[++i];
        }
        if (const auto refused = option->take(value))
            return Fail(*refused);
    }
    const bool file = m_arguments != Arguments::Output;
    const bool output = m_arguments != Arguments::File;
    const std::size_t wanted = (file ? 1u : 0u) + (output ? 1u : 0u);
    if (positional.size() != wanted)
        return Fail(m_strName + " takes " +
                    (file && output ? std::string("FILE OUT")
                     : file         ? std::string("one FILE")
                                    : std::string("one OUT")) +
                    (positional.size() < wanted ? ", too few arguments" : ", too many arguments"));
    std::size_t next = 0;
    if (file)
        m_strFile = positional[next++];
    if (output)
        m_strOutput = positional[next++];
    if (const auto missing = Missing())
        return Fail(*missing);
    return true;
}

std::string CCommandOptions::Summary() const {
    std::vector<std::string> synopsis = Lines(m_strSynopsis);
    std::string text;
    for (std::size_t i = 0; i + 1 < synopsis.size(); ++i)
        text += "  " + synopsis[i] + "\n";
    std::string last = "  " + synopsis.back();
    const std::vector<std::string> description = Lines(m_strDescription);
    for (std::size_t i = 0; i < description.size(); ++i) {
        if (i == 0 && last.size() < kColumn) {
            text += last + std::string(kColumn - last.size(), ' ') + description[i] + "\n";
            continue;
        }
        if (i == 0)
            text += last + "\n";
        text += std::string(kColumn, ' ') + description[i] + "\n";
    }
    return text;
}

std::string CCommandOptions::Help() const {
    // Continuation lines are indented for the overview's column 2; here the command
    // starts after "Usage: zerin-cli ", 15 columns further.
    const std::string usage = "Usage: zerin-cli ";
    std::string text;
    for (const std::string& line : Lines(m_strSynopsis))
        text += (text.empty() ? usage : std::string(usage.size() - 2, ' ')) + line + "\n";
    for (const std::string& line : Lines(m_strDescription))
        text += line + "\n";
    text += "\nOptions:\n";
    std::vector<Option> shown = m_options;
    shown.push_back({"--help", {}, "show this help", {}});
    for (const Option& o : shown) {
        std::string head = "  " + o.name + (o.valueName.empty() ? "" : " " + o.valueName);
        if (head.size() + 2 > kColumn)
            text += head + "\n" + std::string(kColumn, ' ');
        else
            text += head + std::string(kColumn - head.size(), ' ');
        text += o.help + "\n";
    }
    return text;
}
