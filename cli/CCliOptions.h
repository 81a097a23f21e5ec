#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line of zerin-cli: the command, its file and output arguments and its
// options. Parse accepts only the options the command knows.
class CCliOptions {
public:
    // Fills the fields from the arguments after the program name; false with the
    // reason in m_strError when they are not a valid command line.
    bool Parse(const std::vector<std::string>& args);

    bool m_bHelp = false;
    bool m_bVersion = false;
    std::string m_strCommand;
    // The file the command reads (new: none).
    std::string m_strFile;
    // -o OUT, or the positional OUT of resave and new.
    std::string m_strOutput;

    // casegraph
    bool m_bNames = false;
    bool m_bClasses = false;
    bool m_bCaseClass = false;
    std::string m_strXml;
    std::string m_strClassXml;
    // export
    std::string m_strNetDesignXml;
    std::string m_strPnml;
    // import: the net of a file that holds several.
    std::optional<std::string> m_netId;
    // simulate
    int m_nSteps = 100;
    bool m_bLargest = false;
    // Each entry one breakpoint case: the names of its conditions.
    std::vector<std::vector<std::string>> m_breakAt;
    std::string m_strOccurrenceXml;
    std::string m_strSave;
    // simulate, layout, render
    std::optional<unsigned> m_seed;
    // layout
    int m_nGenerations = 0;
    std::optional<int> m_population;
    // render: "net", "casegraph" or "occurrence".
    std::string m_strView = "net";
    // find: the condition names a case must hold and must not hold.
    std::vector<std::string> m_wanted;
    std::vector<std::string> m_unwanted;
    bool m_bAllCases = false;
    // casegraph: limits of the computation (0: none), memory in bytes.
    long long m_nMaxCases = 0;
    long long m_nMaxMemory = 0;
    std::string m_strMaxMemory;
    bool m_bPath = false;

    std::string m_strError;

private:
    bool Fail(const std::string& reason);
    bool CheckRequired();
};
