#include "engines/CCaseEngineChoice.h"

#include "engines/CCasesEngine.h"
#include "engines/CSymbolicEngine.h"

#include <new>

namespace {

// The time the steps' rate is measured for: a small part of what it decides.
constexpr double kMeasureSeconds = 0.01;

} // namespace

CCaseEngineChoice::CCaseEngineChoice() = default;
CCaseEngineChoice::CCaseEngineChoice(CCaseEngineChoice&&) noexcept = default;
CCaseEngineChoice& CCaseEngineChoice::operator=(CCaseEngineChoice&&) noexcept = default;
CCaseEngineChoice::~CCaseEngineChoice() = default;

std::unique_ptr<CCaseEngine> CCaseEngineChoice::TakeEngine() {
    if (m_pCases)
        return std::move(m_pCases);
    return std::move(m_pSymbolic);
}

std::string CCaseEngineChoice::PaneLine() const {
    switch (m_eEngine) {
    case ECaseEngine::Cases:
        if (m_eReason == EReason::TooSlow)
            return "Steps are produced on demand: storing the " + CountText(m_nSteps) +
                   " steps would take about " + DurationText(m_dStoreSeconds);
        return "Steps are produced on demand: the stored case graph would take about " +
               MemoryText(m_nStoredBytes);
    case ECaseEngine::Symbolic:
        return "The cases are kept as decision diagrams: one by one they would not fit";
    default:
        return {};
    }
}

std::string CCaseEngineChoice::ChoiceLine() const {
    switch (m_eEngine) {
    case ECaseEngine::Cases:
        return "engine: cases (" + CountText(m_nSteps) + " steps: produced on demand; " +
               (m_eReason == EReason::TooSlow
                    ? "storing them would take about " + DurationText(m_dStoreSeconds)
                    : "the stored case graph would take about " + MemoryText(m_nStoredBytes)) +
               ")";
    case ECaseEngine::Symbolic:
        return "engine: symbolic (the cases do not fit in memory)";
    default:
        if (m_eReason == EReason::NeedsSteps)
            return "engine: explicit (what is asked lists the steps)";
        return "engine: explicit (the stored case graph, about " + MemoryText(m_nStoredBytes) + ")";
    }
}

void CCaseEngineChoice::Weigh(ECaseEngine engine, std::unique_ptr<CCasesEngine> cases,
                              const CCaseEngineHost& host) {
    m_nSteps = cases->GetStepCount();
    m_nStoredBytes = StoredGraphBytes(cases->CaseCount(), m_nSteps);
    if (engine == ECaseEngine::Auto) {
        const double rate =
            host.stepsPerSecond > 0 ? host.stepsPerSecond : cases->MeasureStepRate(kMeasureSeconds);
        m_dStoreSeconds = StoredGraphSeconds(cases->CaseCount(), m_nSteps, rate);
    }
    const long long left = host.memoryLeft ? host.memoryLeft() : 0;
    const bool fits = left <= 0 || m_nStoredBytes <= left;
    if (engine == ECaseEngine::Auto && fits && m_dStoreSeconds <= host.storeSeconds) {
        m_eReason = EReason::Fits;
        return;
    }
    m_eEngine = ECaseEngine::Cases;
    if (engine == ECaseEngine::Auto)
        m_eReason = fits ? EReason::TooSlow : EReason::TooLarge;
    m_pCases = std::move(cases);
}

CCaseEngineChoice CCaseEngineChoice::Make(ECaseEngine engine, ECaseNeeds needs,
                                          const std::vector<CPNEvent*>& events,
                                          const CSetConditions& initialCase,
                                          const CCaseEngineHost& host) {
    CCaseEngineChoice choice;
    if (engine == ECaseEngine::Explicit)
        return choice;
    if (needs == ECaseNeeds::StoredGraph) {
        choice.m_eReason = EReason::NeedsSteps;
        return choice;
    }
    const auto memoryLeft = [&host] { return host.memoryLeft ? host.memoryLeft() : 0; };
    if (engine != ECaseEngine::Symbolic) {
        auto cases = std::make_unique<CCasesEngine>(events, initialCase);
        ECaseGraphResult result = ECaseGraphResult::NotEnoughMemory;
        try {
            result = cases->Run(host.progress);
            // The limits hold for what was found last too.
            if (result == ECaseGraphResult::Completed && host.progress &&
                !host.progress(cases->CaseCount(), 0))
                result = ECaseGraphResult::Cancelled;
        } catch (const std::bad_alloc&) {
        }
        if (result == ECaseGraphResult::Completed) {
            choice.Weigh(engine, std::move(cases), host);
            return choice;
        }
        cases.reset();
        const bool outOfMemory = (host.stoppedForMemory && host.stoppedForMemory()) ||
                                 result == ECaseGraphResult::NotEnoughMemory;
        choice.m_eEngine = ECaseEngine::Cases;
        choice.m_eResult = outOfMemory ? ECaseGraphResult::NotEnoughMemory : result;
        if (engine != ECaseEngine::Auto || !outOfMemory || needs != ECaseNeeds::Anything)
            return choice;
        choice.m_bCasesDidNotFit = true;
        choice.m_eReason = EReason::CasesTooLarge;
    }
    choice.m_eEngine = ECaseEngine::Symbolic;
    const long long left = memoryLeft();
    if (left > 0 && left < kLeastSymbolicBytes) {
        choice.m_eResult = ECaseGraphResult::NotEnoughMemory;
        return choice;
    }
    auto symbolic = std::make_unique<CSymbolicEngine>(events, initialCase);
    choice.m_eResult = symbolic->Run(host.progress, left);
    if (choice.m_eResult == ECaseGraphResult::Completed)
        choice.m_pSymbolic = std::move(symbolic);
    return choice;
}
