#include "questions/PropertyAnswers.h"
#include "questions/CSymbolicPropertyEngine.h"

#include "base/OutputWriter.h"
#include "base/TextValues.h"
#include "model/CNetStructure.h"
#include "properties/CCaseSpace.h"
#include "properties/CCompactNet.h"
#include "properties/CRun.h"
#include "structure/CStateEquation.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

namespace PropertyAnswers {

namespace {

const char* ReasonText(EStopReason reason) {
    switch (reason) {
    case EStopReason::TimeLimit:
        return "the time limit was reached";
    case EStopReason::MemoryLimit:
        return "the memory limit was reached";
    case EStopReason::Cancelled:
        return "cancelled";
    case EStopReason::TooLarge:
        return "the formula's automaton grew too large";
    case EStopReason::Unsupported:
        return "no engine chosen decides formulas of this kind";
    case EStopReason::Inconclusive:
        return "no engine could be sure";
    default:
        return "";
    }
}

// The names of a case (condition numbers) as a set text.
std::string CaseText(const std::vector<int>& conditions, const CNetStructure& net) {
    std::string text = "{";
    for (std::size_t i = 0; i < conditions.size(); ++i)
        text += (i ? ", " : " ") + net.ConditionName(conditions[i]);
    return text + (conditions.empty() ? "}" : " }");
}

} // namespace

std::vector<CQuestion::Option> CommonOptions() {
    return {{"--engine",
             "E",
             "who answers: auto (the first that can be sure), state-equation, "
             "on-the-fly, ctl, ltl or symbolic (decision diagrams)",
             false,
             {"auto", "state-equation", "on-the-fly", "ctl", "ltl", "symbolic"}},
            {"--witness", "", "write the run that shows each answer after its line"},
            {"--max-memory", "SIZE", "give up past SIZE bytes of tables (512M, 2G)"},
            {"--time-limit", "S", "give up after S seconds"}};
}

std::string Limits(const CQuestionContext& context, CCheckLimits& limits) {
    limits.progress = context.progress;
    if (context.Has("--max-memory")) {
        const auto bytes = TextValues::Size(context.Value("--max-memory"));
        if (!bytes)
            return "--max-memory takes a size (512M, 2G), not '" + context.Value("--max-memory") +
                   "'";
        limits.maxBytes = static_cast<std::size_t>(*bytes);
    }
    if (context.Has("--time-limit")) {
        const std::string text = context.Value("--time-limit");
        char* end = nullptr;
        const double seconds = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
            return "--time-limit takes a number of seconds, not '" + text + "'";
        limits.seconds = seconds;
    }
    return {};
}

// The decision diagrams, drawn or read from a file: asked first where the initial case
// reaches more cases forward than the explicit engines list in good time (smaller nets
// keep the explicit engines first), and alone where they are asked for. LTL goes to the
// explicit engines first (a counterexample on the fly comes sooner than the fixpoints),
// and where runs are asked for, so do the formulas whose runs are lassos: the whole
// engine answers them after those, where they give up.
// Counts the cases the initial case reaches forward, as the explicit engines find them,
// on a thread of its own beside the diagrams' count: on nets the explicit engines list
// at once the diagrams may take seconds (the 8 queens: 119,000 cases listed in a tenth of
// a second, counted by the diagrams in three), on others the reverse. It starts once the
// diagrams have taken a tenth of a second, so that where they are quick it costs nothing.
class CForwardCountRace {
public:
    CForwardCountRace(const CNetStructure& net, long long cases)
        : m_thread([this, &net, cases] { Count(net, cases); }) {}
    ~CForwardCountRace() { Stop(); }
    // Whether the explicit count found fewer than `cases` forward cases, all of them.
    bool Few() const { return m_eState.load() == EState::Few; }
    void Stop() {
        {
            const std::lock_guard lock(m_mutex);
            m_bStop = true;
        }
        m_woken.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    enum class EState { Counting, Few, Many };
    void Count(const CNetStructure& net, long long cases) {
        {
            std::unique_lock lock(m_mutex);
            if (m_woken.wait_for(lock, std::chrono::milliseconds(100),
                                 [this] { return m_bStop.load(); }))
                return;
        }
        const CCompactNet compact(net);
        CCaseSpace space(compact, false);
        while (!m_bStop.load(std::memory_order_relaxed) && space.ExpandNext())
            if (space.Count() >= cases) {
                m_eState = EState::Many;
                return;
            }
        if (space.IsComplete())
            m_eState = EState::Few;
    }
    std::atomic<EState> m_eState{EState::Counting};
    std::atomic<bool> m_bStop{false};
    std::mutex m_mutex;
    std::condition_variable m_woken;
    std::thread m_thread;
};

static void AddDecisionDiagrams(const CQuestionContext& context, CPropertyChecker& checker,
                                bool asked) {
    constexpr long long kListedCases = 1000000;
    std::optional<CForwardCountRace> race;
    if (!asked)
        race.emplace(context.net, kListedCases);
    CCheckLimits limits;
    Limits(context, limits);
    const WorkProgress progress = [&](std::size_t done, std::size_t total) {
        return !(race && race->Few()) && (!context.progress || context.progress(done, total));
    };
    auto engine = CSymbolicPropertyEngine::Make(context.net,
                                                static_cast<long long>(limits.maxBytes), progress);
    if (race) {
        race->Stop();
        if (race->Few())
            return;
    }
    if (!engine)
        return;
    const std::string count = engine->ForwardCount();
    const bool large = count.size() > std::to_string(kListedCases).size() ||
                       (count.size() == std::to_string(kListedCases).size() &&
                        count > std::to_string(kListedCases));
    if (!asked && !large)
        return;
    if (asked) {
        checker.AddEngine(std::move(engine), true);
        return;
    }
    using ETakes = CSymbolicPropertyEngine::ETakes;
    checker.AddEngine(engine->Door(context.Has("--witness") ? ETakes::WithRuns : ETakes::AllButLtl),
                      true);
    checker.AddEngine(std::move(engine));
}

std::unique_ptr<CPropertyChecker> MakeChecker(const CQuestionContext& context) {
    auto checker = std::make_unique<CPropertyChecker>(context.net);
    const CNetStructure& net = context.net;
    checker->SetStateEquation([&net](const std::vector<CLinearConstraint>& constraints) {
        CStateEquationQuery query;
        query.constraints = constraints;
        query.timeLimitMs = 1000;
        return CStateEquation(net).Solve(query).verdict == EStateEquationVerdict::Unreachable
                   ? EStateEquation::Unreachable
                   : EStateEquation::DontKnow;
    });
    const std::string engine = context.Value("--engine", "auto");
    if (engine == "auto" || engine == "symbolic")
        AddDecisionDiagrams(context, *checker, engine == "symbolic");
    if (engine == "state-equation")
        checker->SetEngine(EEngine::StateEquation);
    else if (engine == "on-the-fly")
        checker->SetEngine(EEngine::OnTheFly);
    else if (engine == "ctl")
        checker->SetEngine(EEngine::Ctl);
    else if (engine == "ltl")
        checker->SetEngine(EEngine::Ltl);
    else if (engine == "symbolic")
        checker->SetEngine(EEngine::Symbolic);
    return checker;
}

CAnswer::Verdict VerdictOf(const CPropertyResult& result) {
    CAnswer::Verdict verdict;
    verdict.id = result.id;
    switch (result.verdict) {
    case EVerdict::True:
        verdict.value = CAnswer::Verdict::EValue::True;
        break;
    case EVerdict::False:
        verdict.value = CAnswer::Verdict::EValue::False;
        break;
    case EVerdict::Number:
        verdict.value = CAnswer::Verdict::EValue::Number;
        verdict.number = std::to_string(result.number);
        break;
    default:
        verdict.value = CAnswer::Verdict::EValue::Unknown;
        verdict.why = ReasonText(result.reason);
        break;
    }
    verdict.techniques = TechniqueWords(result.techniques);
    verdict.seconds = result.seconds;
    return verdict;
}

CAnswer::Run RunOf(const CRun& run, const CNetStructure& net) {
    CAnswer::Run answer;
    answer.from = run.cases.empty() ? "{}" : CaseText(run.cases.front(), net);
    for (std::size_t k = 0; k < run.events.size(); ++k) {
        CAnswer::Run::Step step;
        step.events = "{ " + net.EventName(run.events[k]) + " }";
        step.to = k + 1 < run.cases.size() ? CaseText(run.cases[k + 1], net) : std::string();
        answer.steps.push_back(std::move(step));
    }
    answer.end = run.end == CRun::EEnd::Loop       ? CAnswer::Run::EEnd::Loop
                 : run.end == CRun::EEnd::Deadlock ? CAnswer::Run::EEnd::Deadlock
                                                   : CAnswer::Run::EEnd::Open;
    answer.loopStart = run.loopStart;
    return answer;
}

void Add(CAnswer& answer, const CPropertyResult& result, const CQuestionContext& context,
         bool witness) {
    answer.Add(PANE_ANALYSIS, VerdictOf(result));
    if (result.verdict == EVerdict::CannotCompute)
        answer.status = 2;
    if ((witness || context.Has("--witness")) && result.run)
        answer.Add(PANE_ANALYSIS, RunOf(*result.run, context.net));
}

} // namespace PropertyAnswers
