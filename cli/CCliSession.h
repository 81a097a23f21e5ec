#pragma once

#include "platform/CHeadlessSession.h"

#include <ostream>

// One run of zerin-cli over one document: the session's diagnostics on the error stream
// as "zerin-cli: FILE: message", the command's own lines on the output stream.
class CCliSession : public CHeadlessSession {
public:
    CCliSession(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // The command's own lines (the output panes have their sink).
    std::ostream& Out() { return m_out; }

protected:
    void Tell(const std::string& text) override { m_err << "zerin-cli: " << text << '\n'; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
};
