#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// What a script's call could not do, with the message zerin-cli gives ("FILE: message")
// and the kind the module raises it as (zerin.FileError, zerin.NetError, ...).
class CScriptError : public std::runtime_error {
public:
    enum class EKind {
        // Anything else: zerin.Error.
        General,
        // A file that cannot be read or written.
        File,
        // The net is not a C/E system (or not a C/E net, from PNML).
        Net,
        // An argument the net or the question does not take: a name it lacks.
        Argument,
        // The case class past a limit or the memory.
        Limit,
        // The engine of the case class cannot answer this.
        Engine,
    };
    CScriptError(EKind kind, const std::string& message, std::vector<std::string> lines = {},
                 std::vector<std::string> notes = {})
        : std::runtime_error(message), m_eKind(kind), m_arrLines(std::move(lines)),
          m_arrNotes(std::move(notes)) {}

    EKind Kind() const { return m_eKind; }
    // The lines the output panes were given before the failure (a failed test's).
    const std::vector<std::string>& Lines() const { return m_arrLines; }
    // What zerin-cli would have said before the message (which engine auto tried).
    const std::vector<std::string>& Notes() const { return m_arrNotes; }

private:
    EKind m_eKind;
    std::vector<std::string> m_arrLines;
    std::vector<std::string> m_arrNotes;
};
