#include "engines/CCaseEngineChoice.h"

#include "engines/CCasesEngine.h"
#include "engines/CSymbolicEngine.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <thread>

namespace {

// The time the steps' rate is measured for: a small part of what it decides.
constexpr double kMeasureSeconds = 0.01;

// The decision diagrams computed on a thread of their own, beside the cases' search,
// after a head start of the cases; stopped as soon as the cases are done. The engine
// keeps the progress it ran with for what it computes later (the class both ways): once
// it won, that is the host's.
class CDiagramsBeside {
public:
    CDiagramsBeside(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase,
                    double headStart, long long memoryLeft)
        : m_pShared(std::make_shared<Shared>()),
          m_thread([this, &events, &initialCase, headStart, memoryLeft] {
              Run(events, initialCase, headStart, memoryLeft);
          }) {}
    ~CDiagramsBeside() { Stop({}); }
    CDiagramsBeside(const CDiagramsBeside&) = delete;
    CDiagramsBeside& operator=(const CDiagramsBeside&) = delete;

    bool Won() const { return m_bWon; }
    // Stops the diagrams and waits for their thread; the engine where they won, told
    // the host's progress from then on.
    std::unique_ptr<CSymbolicEngine> Stop(const CaseGraphProgress& progress) {
        {
            std::lock_guard lock(m_mutex);
            m_pShared->stop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        if (!m_bWon) {
            m_pEngine.reset();
            return nullptr;
        }
        m_pShared->after = progress ? progress : [](int, int) { return true; };
        return std::move(m_pEngine);
    }

private:
    struct Shared {
        std::atomic<bool> stop = false;
        CaseGraphProgress after;
    };

    void Run(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase,
             double headStart, long long memoryLeft) {
        {
            std::unique_lock lock(m_mutex);
            if (m_wake.wait_for(lock, std::chrono::duration<double>(headStart),
                                [this] { return m_pShared->stop.load(); }))
                return;
        }
        try {
            m_pEngine = std::make_unique<CSymbolicEngine>(events, initialCase);
            const ECaseGraphResult result = m_pEngine->Run(
                [shared = m_pShared](int found, int arcs) {
                    return shared->after ? shared->after(found, arcs) : !shared->stop;
                },
                memoryLeft);
            m_bWon = result == ECaseGraphResult::Completed && !m_pShared->stop;
        } catch (const std::exception&) {
            // Another analysis holds the diagrams' tables, or they ran out of memory:
            // the cases go on alone.
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::shared_ptr<Shared> m_pShared;
    std::atomic<bool> m_bWon = false;
    std::unique_ptr<CSymbolicEngine> m_pEngine;
    std::thread m_thread;
};

int ClampedCount(const std::string& count) {
    return count.size() > 9 ? INT_MAX : std::stoi(count);
}

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
        if (m_eReason == EReason::CasesTooSlow)
            return "The cases are kept as decision diagrams: they held the class before the "
                   "cases were found one by one";
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
        if (m_eReason == EReason::CasesTooSlow)
            return "engine: symbolic (the decision diagrams held the class before the cases)";
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

ECaseGraphResult CCaseEngineChoice::FindCases(CCasesEngine& cases,
                                              const std::vector<CPNEvent*>& events,
                                              const CSetConditions& initialCase,
                                              const CCaseEngineHost& host, bool race) {
    std::optional<CDiagramsBeside> beside;
    if (race && host.raceSeconds >= 0) {
        const long long left = host.memoryLeft ? host.memoryLeft() : 0;
        if (left <= 0 || left >= kLeastSymbolicBytes)
            beside.emplace(events, initialCase, host.raceSeconds, left);
    }
    bool hostStopped = false;
    ECaseGraphResult result = cases.Run([&](int found, int arcs) {
        if (beside && beside->Won())
            return false;
        hostStopped = host.progress && !host.progress(found, arcs);
        return !hostStopped;
    });
    if (beside) {
        std::unique_ptr<CSymbolicEngine> symbolic = beside->Stop(host.progress);
        if (symbolic && !hostStopped && result != ECaseGraphResult::Completed) {
            // The limits hold for the diagrams' cases as for the cases' own.
            if (host.progress && !host.progress(ClampedCount(symbolic->CountForwardCases()), 0))
                return ECaseGraphResult::Cancelled;
            m_pSymbolic = std::move(symbolic);
            return ECaseGraphResult::Completed;
        }
    }
    // The limits hold for what was found last too.
    if (result == ECaseGraphResult::Completed && host.progress &&
        !host.progress(cases.CaseCount(), 0))
        result = ECaseGraphResult::Cancelled;
    return result;
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
            result = choice.FindCases(*cases, events, initialCase, host,
                                      engine == ECaseEngine::Auto && needs == ECaseNeeds::Anything);
        } catch (const std::bad_alloc&) {
        }
        if (choice.m_pSymbolic) {
            choice.m_eEngine = ECaseEngine::Symbolic;
            choice.m_eReason = EReason::CasesTooSlow;
            return choice;
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
