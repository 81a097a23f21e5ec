#include "cli/CCliOptions.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>

namespace {

struct CommandShape {
    // Positional arguments: the input file, and an output file after it.
    bool file;
    bool positionalOutput;
    std::set<std::string> options;
};

const std::map<std::string, CommandShape>& Commands() {
    static const std::map<std::string, CommandShape> commands = {
        {"check", {true, false, {}}},
        {"casegraph",
         {true,
          false,
          {"--names", "--classes", "--case-class", "--xml", "--class-xml", "--max-cases",
           "--max-memory"}}},
        {"export", {true, false, {"--netdesign", "--pnml"}}},
        {"import", {true, false, {"--net", "-o"}}},
        {"simulate",
         {true,
          false,
          {"--steps", "--seed", "--largest", "--break-at", "--occurrence-xml", "--save"}}},
        {"complement", {true, false, {"-o"}}},
        {"layout", {true, false, {"--seed", "--generations", "--population", "-o"}}},
        {"render", {true, false, {"--view", "--seed", "-o"}}},
        {"find", {true, false, {"--wanted", "--unwanted", "--all-cases", "--path"}}},
        {"resave", {true, true, {}}},
        {"new", {false, true, {}}},
    };
    return commands;
}

bool TakesValue(const std::string& option) {
    static const std::set<std::string> flags = {"--names", "--classes", "--case-class",
                                                "--largest", "--all-cases", "--path"};
    return flags.count(option) == 0;
}

// A whole decimal number in [low, high].
std::optional<long long> ParseNumber(const std::string& text, long long low, long long high) {
    if (text.empty() || text[0] == '+' || text[0] == ' ')
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

// A size in bytes: a whole number with an optional K, M or G (powers of 1024).
std::optional<long long> ParseSize(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    long long unit = 1;
    std::string digits = text;
    switch (text.back()) {
    case 'K':
    case 'k':
        unit = 1024LL;
        break;
    case 'M':
    case 'm':
        unit = 1024LL * 1024;
        break;
    case 'G':
    case 'g':
        unit = 1024LL * 1024 * 1024;
        break;
    default:
        break;
    }
    if (unit != 1)
        digits.pop_back();
    const auto n = ParseNumber(digits, 1, LLONG_MAX / unit);
    if (!n)
        return std::nullopt;
    return *n * unit;
}

std::vector<std::string> SplitNames(const std::string& list) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= list.size()) {
        const std::string::size_type comma = list.find(',', start);
        const std::string name =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!name.empty())
            names.push_back(name);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return names;
}

} // namespace

bool CCliOptions::Fail(const std::string& reason) {
    m_strError = reason;
    return false;
}

bool CCliOptions::Parse(const std::vector<std::string>& args) {
    if (args.empty())
        return Fail("no command given");
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        m_bHelp = true;
        return true;
    }
    if (first == "--version") {
        m_bVersion = true;
        return true;
    }
    const auto command = Commands().find(first);
    if (command == Commands().end())
        return Fail("unknown command '" + first + "'");
    m_strCommand = first;
    const CommandShape& shape = command->second;

    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            m_bHelp = true;
            return true;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (shape.options.count(arg) == 0)
            return Fail("unknown option '" + arg + "' for " + m_strCommand);
        std::string value;
        if (TakesValue(arg)) {
            if (i + 1 >= args.size())
                return Fail("option '" + arg + "' needs a value");
            value = args[++i];
        }
        if (arg == "--names")
            m_bNames = true;
        else if (arg == "--classes")
            m_bClasses = true;
        else if (arg == "--case-class")
            m_bCaseClass = true;
        else if (arg == "--largest")
            m_bLargest = true;
        else if (arg == "--all-cases")
            m_bAllCases = true;
        else if (arg == "--path")
            m_bPath = true;
        else if (arg == "--wanted")
            m_wanted = SplitNames(value);
        else if (arg == "--unwanted")
            m_unwanted = SplitNames(value);
        else if (arg == "--xml")
            m_strXml = value;
        else if (arg == "--class-xml")
            m_strClassXml = value;
        else if (arg == "--netdesign")
            m_strNetDesignXml = value;
        else if (arg == "--pnml")
            m_strPnml = value;
        else if (arg == "--net")
            m_netId = value;
        else if (arg == "--occurrence-xml")
            m_strOccurrenceXml = value;
        else if (arg == "--save")
            m_strSave = value;
        else if (arg == "-o")
            m_strOutput = value;
        else if (arg == "--break-at")
            m_breakAt.push_back(SplitNames(value));
        else if (arg == "--view") {
            if (value != "net" && value != "casegraph" && value != "occurrence")
                return Fail("--view takes net, casegraph or occurrence, not '" + value + "'");
            m_strView = value;
        } else if (arg == "--steps") {
            const auto n = ParseNumber(value, 0, INT_MAX);
            if (!n)
                return Fail("--steps takes a number of steps, not '" + value + "'");
            m_nSteps = static_cast<int>(*n);
        } else if (arg == "--generations") {
            const auto n = ParseNumber(value, 0, INT_MAX);
            if (!n)
                return Fail("--generations takes a number of generations, not '" + value + "'");
            m_nGenerations = static_cast<int>(*n);
        } else if (arg == "--population") {
            const auto n = ParseNumber(value, 1, 100000);
            if (!n)
                return Fail("--population takes a population size, not '" + value + "'");
            m_population = static_cast<int>(*n);
        } else if (arg == "--max-cases") {
            const auto n = ParseNumber(value, 1, LLONG_MAX);
            if (!n)
                return Fail("--max-cases takes a number of cases, not '" + value + "'");
            m_nMaxCases = *n;
        } else if (arg == "--max-memory") {
            const auto n = ParseSize(value);
            if (!n)
                return Fail("--max-memory takes a size such as 512M or 2G, not '" + value + "'");
            m_nMaxMemory = *n;
            m_strMaxMemory = value;
        } else if (arg == "--seed") {
            const auto n = ParseNumber(value, 0, UINT_MAX);
            if (!n)
                return Fail("--seed takes a number from 0 to " + std::to_string(UINT_MAX) +
                            ", not '" + value + "'");
            m_seed = static_cast<unsigned>(*n);
        }
    }

    const std::size_t wanted = (shape.file ? 1u : 0u) + (shape.positionalOutput ? 1u : 0u);
    if (positional.size() != wanted)
        return Fail(m_strCommand + " takes " +
                    (shape.file && shape.positionalOutput ? std::string("FILE OUT")
                     : shape.file                        ? std::string("one FILE")
                                                        : std::string("one OUT")) +
                    (positional.size() < wanted ? ", too few arguments" : ", too many arguments"));
    std::size_t next = 0;
    if (shape.file)
        m_strFile = positional[next++];
    if (shape.positionalOutput)
        m_strOutput = positional[next++];
    return CheckRequired();
}

bool CCliOptions::CheckRequired() {
    if (m_strCommand == "export" && m_strNetDesignXml.empty() && m_strPnml.empty())
        return Fail("export needs --netdesign OUT or --pnml OUT");
    if ((m_strCommand == "complement" || m_strCommand == "render" || m_strCommand == "import") &&
        m_strOutput.empty())
        return Fail(m_strCommand + " needs -o OUT");
    return true;
}
