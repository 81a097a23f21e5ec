#pragma once

#include "platform/CHeadlessSession.h"

#include <string>
#include <utility>
#include <vector>

// The session of a script's net: what zerin-cli would write to its error stream is
// kept, the last failure to be raised, the notices (which engine auto took) for the
// caller to read.
class CScriptSession : public CHeadlessSession {
public:
    // What was told since the last Take, in order; emptied.
    std::vector<std::string> Take() { return std::exchange(m_arrTold, {}); }

protected:
    void Tell(const std::string& text) override { m_arrTold.push_back(text); }

private:
    std::vector<std::string> m_arrTold;
};
