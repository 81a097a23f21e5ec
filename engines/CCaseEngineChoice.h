#pragma once

#include "engines/CaseEngines.h"
#include "engines/ECaseGraphResult.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCaseEngine;
class CCasesEngine;
class CPNEvent;
class CSetConditions;
class CSymbolicEngine;

// What choosing an engine asks of the program or the command line around it.
struct CCaseEngineHost {
    // Told the cases found so far; false stops the computation.
    CaseGraphProgress progress;
    // The memory a computation may still take, in bytes; 0 where nothing is estimated.
    std::function<long long()> memoryLeft;
    // The last stop was for memory (not a Cancel or a limit of cases); asked once.
    std::function<bool()> stoppedForMemory;
};

// The engine that takes a net's case class, as auto chooses it: the cases first, their
// steps counted, so that whether the stored graph fits is known before any step is
// kept; the stored graph where it fits, the cases where they fit, the decision diagrams
// otherwise. A forced engine is taken as it is.
class CCaseEngineChoice {
public:
    // With symbolicAllowed false, cases that do not fit end the choice.
    static CCaseEngineChoice Make(ECaseEngine engine, bool symbolicAllowed,
                                  const std::vector<CPNEvent*>& events,
                                  const CSetConditions& initialCase, const CCaseEngineHost& host);
    CCaseEngineChoice();
    CCaseEngineChoice(CCaseEngineChoice&&) noexcept;
    CCaseEngineChoice& operator=(CCaseEngineChoice&&) noexcept;
    ~CCaseEngineChoice();

    // The caller computes the stored graph now (the engine over it is the drawn graph's).
    bool StoresGraph() const { return m_eEngine == ECaseEngine::Explicit; }
    // The engine that holds the class, where the stored graph is not taken: the cases or
    // the decision diagrams; null after a choice that failed.
    std::unique_ptr<CCaseEngine> TakeEngine();
    // What the Standard pane says of the engine taken; empty for the stored graph.
    std::string PaneLine() const;
    // What zerin-cli says of the engine auto took, and why.
    std::string ChoiceLine() const;

    // Explicit: the caller computes the stored graph now. Cases and Symbolic: the
    // analysis below holds the class.
    ECaseEngine m_eEngine = ECaseEngine::Explicit;
    // How the choice ended; anything but Completed keeps nothing.
    ECaseGraphResult m_eResult = ECaseGraphResult::Completed;
    // What the stored graph would take, once the cases were counted.
    long long m_nStoredBytes = 0;
    // The cases were tried and did not fit in memory.
    bool m_bCasesDidNotFit = false;
    std::unique_ptr<CCasesEngine> m_pCases;
    std::unique_ptr<CSymbolicEngine> m_pSymbolic;

    // The decision diagrams' tables take a few megabytes before the first case.
    static constexpr long long kLeastSymbolicBytes = 64LL << 20;
};
