#include "engines/CCaseEngineChoice.h"

#include "engines/CCasesEngine.h"
#include "engines/CSymbolicEngine.h"

#include <new>

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
        return "engine: cases (the steps are produced on demand; the stored case graph would "
               "take about " +
               MemoryText(m_nStoredBytes) + ")";
    case ECaseEngine::Symbolic:
        return "engine: symbolic (the cases do not fit in memory)";
    default:
        return "engine: explicit (the stored case graph, about " + MemoryText(m_nStoredBytes) +
               ")";
    }
}

CCaseEngineChoice CCaseEngineChoice::Make(ECaseEngine engine, bool symbolicAllowed,
                                          const std::vector<CPNEvent*>& events,
                                          const CSetConditions& initialCase,
                                          const CCaseEngineHost& host) {
    CCaseEngineChoice choice;
    if (engine == ECaseEngine::Explicit)
        return choice;
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
            choice.m_nStoredBytes = StoredGraphBytes(cases->CaseCount(), cases->GetStepCount());
            const long long left = memoryLeft();
            if (engine == ECaseEngine::Auto && (left <= 0 || choice.m_nStoredBytes <= left))
                return choice;
            choice.m_eEngine = ECaseEngine::Cases;
            choice.m_pCases = std::move(cases);
            return choice;
        }
        cases.reset();
        const bool outOfMemory = (host.stoppedForMemory && host.stoppedForMemory()) ||
                                 result == ECaseGraphResult::NotEnoughMemory;
        choice.m_eEngine = ECaseEngine::Cases;
        choice.m_eResult = outOfMemory ? ECaseGraphResult::NotEnoughMemory : result;
        if (engine != ECaseEngine::Auto || !outOfMemory || !symbolicAllowed)
            return choice;
        choice.m_bCasesDidNotFit = true;
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
