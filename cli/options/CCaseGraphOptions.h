#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

class CQuestion;

// casegraph FILE: the case graph and the questions answered from it (flags made from the
// registry of questions), its files, within limits.
class CCaseGraphOptions : public CCommandOptions {
public:
    CCaseGraphOptions();

    // The questions asked by their flags, in the order of the flags' help.
    std::vector<const CQuestion*> m_arrAsked;
    std::string m_strXml;
    std::string m_strClassXml;
    std::string m_strGraphML;
    std::string m_strDot;
    CEngineOptions m_engine;
};
