#pragma once

#include "layout/CGASettings.h"
#include "layout/CGeneticAlgorithm.h"

#include <atomic>
#include <utility>
#include <vector>

class CPNEdge;
class CPNElement;
class CRandomSource;

// A smoothing of the case graph layout that outlives its dialog: the optimiser with
// its population, the graph it was bound to, the flags of the search and the three
// statistics shown to the user. Closing the dialog keeps all of it, so that a later
// Start continues the same population.
//
// The generations may run on a worker thread (RunGeneration in a loop while
// IsRunning); Stop and the statistics may be used from another thread meanwhile.
// Everything else belongs to one thread while no generation runs.
class CSmoothCaseGraphSession {
public:
    explicit CSmoothCaseGraphSession(CRandomSource& random) : m_ga(random) {}

    // The optimiser's grid size and the smallest one the user may choose.
    void SetGridSize(int gridSize, int minGridSize);
    // Binds the session to a graph; statistics and flags start afresh.
    void Init(const std::vector<CPNEdge*>& arcs, std::vector<CPNElement*> nodes);
    // The same with the arcs given by the indices of their two nodes.
    void Init(std::vector<std::pair<int, int>> arcs, std::vector<CPNElement*> nodes);
    // Forgets the graph and the population.
    void Clear();

    // Start: marks the search started (so OK applies its result) and running. False
    // when already running.
    bool Start();
    // One step of a running search: the first after Init or Reset (or a Stop while it
    // was under way) makes the first population, every other one a generation, with
    // the statistics updated. Stop ends either at once, keeping what was there before
    // the step.
    void RunGeneration();
    // Ends the run within a fraction of a second, from any thread.
    void Stop() { m_bRunning = false; }
    // The first population is being made: how many placements of how many are counted,
    // and how far the count of the one under way has come (0 to 1).
    struct PopulationProgress {
        int made = 0;
        int size = 0;
        double counting = 0.0;
    };
    PopulationProgress GetPopulationProgress() const;
    // The pairs of steps the first population compares to count its crossings.
    double PopulationPairs() const;
    // Statistics to zero, a new seed and a new population at the next start.
    void Reset();

    // The values the settings dialog shows.
    CGASettings GetSettings() const;
    // Takes the values of the settings dialog with their corrections: the grid never
    // below the minimum, an odd population of at least 3, at least one weight. The
    // grid and population sizes are kept while the search is locked.
    void ApplySettings(const CGASettings& settings);

    bool IsRunning() const { return m_bRunning; }
    bool IsStarted() const { return m_bStarted; }
    bool HasResult() const { return m_bHasResult; }
    bool IsPopulationReady() const { return m_bPopulationReady; }
    int GetGenerations() const { return m_nGenerations; }
    int GetIntersections() const { return m_nIntersections; }
    // Shown as an unsigned number.
    unsigned GetFitness() const { return static_cast<unsigned>(m_nFitness.load()); }

    // The optimiser itself; only while no generation runs.
    CGeneticAlgorithm& GetAlgorithm() { return m_ga; }
    const CGeneticAlgorithm& GetAlgorithm() const { return m_ga; }
    // Moves the graph's nodes to the best placement found.
    void ApplyBest() const;

private:
    void ClearStatistics();

    CGeneticAlgorithm m_ga;
    std::atomic<bool> m_bRunning = false;
    bool m_bStarted = false;
    bool m_bHasResult = false;
    bool m_bPopulationReady = false;
    int m_nMinGridSize = 0;
    std::atomic<int> m_nGenerations = 0;
    std::atomic<int> m_nIntersections = 0;
    std::atomic<int> m_nFitness = 0;
    // While the first population is made: the placements counted, the pairs of the one
    // under way (a thousandth).
    std::atomic<int> m_nMade = 0;
    std::atomic<int> m_nCounting = 0;
    std::vector<std::pair<int, int>> m_arrArcs;
    std::vector<CPNElement*> m_arrNodes;
};
