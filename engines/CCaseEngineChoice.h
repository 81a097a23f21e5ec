#pragma once

#include "base/UInt128.h"
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

// What the command or the program asks of the case class: its steps listed (a drawing,
// a listing, a layout), its cases one by one (breakpoints), or anything an engine
// answers.
enum class ECaseNeeds { StoredGraph, Cases, Anything };

// What choosing an engine asks of the program or the command line around it.
struct CCaseEngineHost {
    // Told the cases found so far; false stops the computation.
    CaseGraphProgress progress;
    // The memory a computation may still take, in bytes; 0 where nothing is estimated.
    std::function<long long()> memoryLeft;
    // The last stop was for memory (not a Cancel or a limit of cases); asked once.
    std::function<bool()> stoppedForMemory;
    // The time the stored graph may take to be stored, in seconds: past it the steps
    // are produced on demand.
    double storeSeconds = kStoreSeconds;
    // The steps the stored graph keeps a second; 0 to measure it on the net.
    double stepsPerSecond = 0;
    // Where what is asked is answered by any engine and the cases take longer than
    // this, in seconds, the decision diagrams start beside them and the first to hold
    // the class keeps it; negative: the cases alone (the program, which draws them).
    double raceSeconds = -1;

    // Under half a second: the stored graph then costs little more than the cases
    // found first.
    static constexpr double kStoreSeconds = 0.4;
    // The head start of the cases before the decision diagrams join: most nets' cases
    // are found within it, and nothing changes for them.
    static constexpr double kRaceSeconds = 0.3;
};

// The engine that takes a net's case class, as auto chooses it: the cases first, their
// steps counted, so that what the stored graph would take (memory, and the time to store
// its steps) is known before any step is kept; the stored graph where it fits and is
// stored quickly or where the command needs its steps, the cases where they fit, the
// decision diagrams otherwise. A forced engine is taken as it is.
class CCaseEngineChoice {
public:
    static CCaseEngineChoice Make(ECaseEngine engine, ECaseNeeds needs,
                                  const std::vector<CPNEvent*>& events,
                                  const CSetConditions& initialCase, const CCaseEngineHost& host);
    CCaseEngineChoice();
    CCaseEngineChoice(CCaseEngineChoice&&) noexcept;
    CCaseEngineChoice& operator=(CCaseEngineChoice&&) noexcept;
    ~CCaseEngineChoice();

    // Why the engine was taken.
    enum class EReason {
        // Named by the user.
        Forced,
        // The command lists or draws the steps.
        NeedsSteps,
        // The stored graph fits and its steps are stored within the time.
        Fits,
        // The stored graph would take too long to store: the steps on demand.
        TooSlow,
        // The stored graph would not fit: the steps on demand.
        TooLarge,
        // The cases did not fit one by one: the decision diagrams.
        CasesTooLarge,
        // The decision diagrams held the class before the cases were all found.
        CasesTooSlow,
    };

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
    EReason m_eReason = EReason::Forced;
    // How the choice ended; anything but Completed keeps nothing.
    ECaseGraphResult m_eResult = ECaseGraphResult::Completed;
    // Once the cases were counted: their steps, what the stored graph would take and
    // about how long storing its steps would last.
    UInt128 m_nSteps = 0;
    long long m_nStoredBytes = 0;
    double m_dStoreSeconds = 0;
    // The cases were tried and did not fit in memory.
    bool m_bCasesDidNotFit = false;
    std::unique_ptr<CCasesEngine> m_pCases;
    std::unique_ptr<CSymbolicEngine> m_pSymbolic;

    // The decision diagrams' tables take a few megabytes before the first case.
    static constexpr long long kLeastSymbolicBytes = 64LL << 20;

private:
    // The cases, with the decision diagrams beside them where the host races them: the
    // result of the cases' search, or Cancelled where the diagrams won.
    ECaseGraphResult FindCases(CCasesEngine& cases, const std::vector<CPNEvent*>& events,
                               const CSetConditions& initialCase, const CCaseEngineHost& host,
                               bool race);
    // The cases were found: the stored graph, or the cases kept.
    void Weigh(ECaseEngine engine, std::unique_ptr<CCasesEngine> cases,
               const CCaseEngineHost& host);
};
