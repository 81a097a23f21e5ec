// The automatic choice of an engine as a table: the net, what the command needs, the
// memory left, the time the stored graph may take and the rate its steps are stored at
// give the engine taken and the reason it says.

#include "engines/CCaseEngine.h"
#include "engines/CCaseEngineChoice.h"
#include "model/CNetDesign.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using EReason = CCaseEngineChoice::EReason;

struct ChoiceRow {
    const char* what;
    int philosophers;
    ECaseEngine engine;
    ECaseNeeds needs;
    long long memoryLeft;
    // Steps kept a second (fixed, so that the estimate does not depend on the machine).
    double stepsPerSecond;
    // The memory runs out after so many progress calls (0: never).
    int outOfMemoryAfter;
    ECaseGraphResult result;
    ECaseEngine taken;
    EReason reason;
    // What zerin-cli says; empty where nothing was taken.
    const char* line;
    // The diagrams start beside the cases after so many seconds (negative: never); the
    // cases' search is slowed to a crawl where the diagrams are to win.
    double raceSeconds = -1;
    bool slowCases = false;
};

// 6 philosophers: 136 steps; 10 philosophers: 4,084 steps. Stored at a million steps a
// second, 10 philosophers take about 0.007 s; at 20,000 a second 0.2 s, within the
// 0.4 s; at 1,000 a second about 4 s.
const ChoiceRow kRows[] = {
    {"small and quick: stored", 6, ECaseEngine::Auto, ECaseNeeds::Anything, 0, 1e6, 0,
     ECaseGraphResult::Completed, ECaseEngine::Explicit, EReason::Fits,
     "engine: explicit (the stored case graph, about 1 MB)"},
    {"within the time: stored", 10, ECaseEngine::Auto, ECaseNeeds::Anything, 1LL << 30, 2e4, 0,
     ECaseGraphResult::Completed, ECaseEngine::Explicit, EReason::Fits,
     "engine: explicit (the stored case graph, about 1 MB)"},
    {"slow to store: the cases", 10, ECaseEngine::Auto, ECaseNeeds::Anything, 1LL << 30, 1e3, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::TooSlow,
     "engine: cases (4,084 steps: produced on demand; storing them would take about 4.1 s)"},
    {"slow, breakpoints: the cases", 10, ECaseEngine::Auto, ECaseNeeds::Cases, 0, 1e3, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::TooSlow,
     "engine: cases (4,084 steps: produced on demand; storing them would take about 4.1 s)"},
    {"too large: the cases", 10, ECaseEngine::Auto, ECaseNeeds::Anything, 100000, 1e9, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::TooLarge,
     "engine: cases (4,084 steps: produced on demand; the stored case graph would take about "
     "1 MB)"},
    {"slow, but the steps are listed", 10, ECaseEngine::Auto, ECaseNeeds::StoredGraph, 0, 1, 0,
     ECaseGraphResult::Completed, ECaseEngine::Explicit, EReason::NeedsSteps,
     "engine: explicit (what is asked lists the steps)"},
    {"the cases do not fit: diagrams", 10, ECaseEngine::Auto, ECaseNeeds::Anything, 1LL << 30, 1e6,
     1, ECaseGraphResult::Completed, ECaseEngine::Symbolic, EReason::CasesTooLarge,
     "engine: symbolic (the cases do not fit in memory)"},
    {"the cases do not fit, breakpoints", 10, ECaseEngine::Auto, ECaseNeeds::Cases, 1LL << 30, 1e6,
     1, ECaseGraphResult::NotEnoughMemory, ECaseEngine::Cases, EReason::Forced, ""},
    {"named: explicit", 10, ECaseEngine::Explicit, ECaseNeeds::Anything, 1, 1, 0,
     ECaseGraphResult::Completed, ECaseEngine::Explicit, EReason::Forced, ""},
    {"named: cases, though quick", 6, ECaseEngine::Cases, ECaseNeeds::Anything, 0, 1e9, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::Forced, ""},
    {"named: symbolic", 6, ECaseEngine::Symbolic, ECaseNeeds::Anything, 0, 1e9, 0,
     ECaseGraphResult::Completed, ECaseEngine::Symbolic, EReason::Forced, ""},
    {"named: cases, out of memory", 10, ECaseEngine::Cases, ECaseNeeds::Anything, 0, 1e9, 1,
     ECaseGraphResult::NotEnoughMemory, ECaseEngine::Cases, EReason::Forced, ""},
    {"slow cases, the diagrams beside: diagrams", 14, ECaseEngine::Auto, ECaseNeeds::Anything, 0,
     1e6, 0, ECaseGraphResult::Completed, ECaseEngine::Symbolic, EReason::CasesTooSlow,
     "engine: symbolic (the decision diagrams held the class before the cases)", 0, true},
    {"quick cases, the diagrams not yet started", 10, ECaseEngine::Auto, ECaseNeeds::Anything, 0,
     1e6, 0, ECaseGraphResult::Completed, ECaseEngine::Explicit, EReason::Fits,
     "engine: explicit (the stored case graph, about 1 MB)", 60},
    {"slow cases, breakpoints: no race", 14, ECaseEngine::Auto, ECaseNeeds::Cases, 0, 1e3, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::TooSlow, "", 0, true},
    {"slow cases, named: no race", 14, ECaseEngine::Cases, ECaseNeeds::Anything, 0, 1e3, 0,
     ECaseGraphResult::Completed, ECaseEngine::Cases, EReason::Forced, "", 0, true},
};

} // namespace

TEST(EngineChoice, TakesTheEngineTheTableGives) {
    for (const ChoiceRow& row : kRows) {
        SCOPED_TRACE(row.what);
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, row.philosophers);
        int calls = 0;
        bool outOfMemory = false;
        CCaseEngineHost host;
        host.memoryLeft = [&row] { return row.memoryLeft; };
        host.stepsPerSecond = row.stepsPerSecond;
        // The memory runs out inside the cases' search (a progress call says stop), not
        // in the diagrams after it.
        host.raceSeconds = row.raceSeconds;
        host.progress = [&](int, int) {
            if (row.slowCases)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (row.outOfMemoryAfter > 0 && ++calls >= row.outOfMemoryAfter && !outOfMemory) {
                outOfMemory = true;
                return false;
            }
            return true;
        };
        host.stoppedForMemory = [&outOfMemory] { return outOfMemory; };
        CCaseEngineChoice choice =
            CCaseEngineChoice::Make(row.engine, row.needs, net.GetEvents(), initial, host);
        EXPECT_EQ(choice.m_eResult, row.result);
        EXPECT_EQ(choice.m_eEngine, row.taken);
        EXPECT_EQ(choice.m_eReason, row.reason);
        if (*row.line) {
            EXPECT_EQ(choice.ChoiceLine(), row.line);
        }
        std::unique_ptr<CCaseEngine> engine = choice.TakeEngine();
        const bool holds =
            row.result == ECaseGraphResult::Completed && row.taken != ECaseEngine::Explicit;
        ASSERT_EQ(engine != nullptr, holds);
        if (holds && row.philosophers <= 10) {
            EXPECT_EQ(engine->CountSteps(), row.philosophers == 6 ? "136" : "4084");
        }
    }
}

TEST(EngineChoice, SaysCountsAndTimesAsAPersonReadsThem) {
    const std::pair<UInt128, const char*> counts[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {308704676, "308,704,676"},
        {static_cast<UInt128>(1) << 64, "18,446,744,073,709,551,616"}};
    for (const auto& [count, text] : counts)
        EXPECT_EQ(CountText(count), text);
    const std::pair<double, const char*> times[] = {
        {0.04, "0.0 s"}, {3.66, "3.7 s"},         {42, "42 s"},   {228, "4 min"},
        {9000, "2.5 h"}, {5 * 86400.0, "5 days"}, {1e12, "years"}};
    for (const auto& [seconds, text] : times)
        EXPECT_EQ(DurationText(seconds), text);
    // The estimate grows with the steps and the cases, and falls with the rate.
    EXPECT_LT(StoredGraphSeconds(100, 1000, 1e6), StoredGraphSeconds(100, 2000, 1e6));
    EXPECT_LT(StoredGraphSeconds(100, 1000, 1e6), StoredGraphSeconds(200, 1000, 1e6));
    EXPECT_LT(StoredGraphSeconds(100, 1000, 2e6), StoredGraphSeconds(100, 1000, 1e6));
}
