#pragma once

#include "cli/options/CCommandOptions.h"

#include <optional>
#include <string>
#include <vector>

// casegraph FILE: the case graph and the analyses written from it, within limits.
class CCaseGraphOptions : public CCommandOptions {
public:
    CCaseGraphOptions();

    bool m_bNames = false;
    bool m_bClasses = false;
    bool m_bClassSummary = false;
    bool m_bCaseClass = false;
    std::string m_strXml;
    std::string m_strClassXml;
    std::string m_strGraphML;
    std::string m_strDot;
    bool m_bContactFree = false;
    bool m_bForward = false;
    CEngineOptions m_engine;
};
