#pragma once

#include "base/WorkProgress.h"
#include "layout/CChromosome.h"
#include "layout/CEdgeInfo.h"

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class CPNEdge;
class CPNElement;
class CRandomSource;

// The genetic optimiser of the case graph layout: a population of placements of the
// nodes on the grid, bred by tournament selection, order crossover and three
// mutations, with the best placement of each generation carried into the next.
//
// It draws from the random source it is given and shares no other mutable state, so
// a worker thread may run its generations while no other thread draws.
class CGeneticAlgorithm {
public:
    explicit CGeneticAlgorithm(CRandomSource& random) : m_pRandom(&random) {}

    void SetGridSize(int gridSize) { m_nGridSize = gridSize; }
    // Binds the optimiser to a graph: the arcs as pairs of node indices. Seeds the
    // generator with the current time. The population is not touched.
    void Init(std::span<CPNEdge* const> arcs, std::span<CPNElement* const> nodes);
    // The same with the arcs given by the indices of their two nodes.
    void Init(std::span<const std::pair<int, int>> arcs, int nodes);
    // A new random population of P placements, evaluated. The progress is told the
    // placements evaluated of P and polled while each one's crossings are counted;
    // false when it cancels (the population is then not to be used).
    bool InitPopulation(const WorkProgress& progress = {});
    // Breeds the next generation and returns the number of generations built; -1, with
    // the generation before kept as it was, when the progress cancels.
    int NextGeneration(const WorkProgress& progress = {});
    // Computes the fitness of the current generation and finds its best member; false
    // when the progress cancels, the members not yet evaluated left dirty.
    bool Evaluate(const WorkProgress& progress = {});
    // The pairs of arcs a count of one placement's crossings compares.
    std::int64_t PairsPerPlacement() const {
        return static_cast<std::int64_t>(m_nEdges) * (m_nEdges - 1) / 2;
    }
    // Tournament of three from the current generation; ties go to the later candidate.
    CChromosome Select();
    // True with the given probability in percent; 0 draws no number.
    bool Chance(int percent);
    // Moves node i to gene i of the best placement.
    void ApplyBest(std::span<CPNElement* const> nodes) const;
    // Forgets the graph and the population.
    void Free();
    // Position of the node in the array (linear search), 0 when absent.
    static int IndexOf(std::span<CPNElement* const> nodes, const CPNElement* node);

    bool HasPopulation() const { return !m_arrPopulation.empty(); }
    const CChromosome& GetBest() const {
        return m_arrPopulation[static_cast<std::size_t>(m_nBestIndex)];
    }

    int m_nEdges = 0;
    int m_nGridSize = 0;
    int m_nLength = 0;
    int m_nPopulationSize = 3;
    int m_nGeneration = 0;
    int m_nBestIntersections = 0;
    int m_nBestIndex = 0;
    int m_nBestFitness = 0;
    int m_nMutationMove = 45;
    int m_nMutationSwap = 35;
    int m_nMutationSmallMove = 25;
    int m_nCross = 10;
    int m_nCurrentBase = 0;
    int m_nNextBase = 0;
    int m_nWeightIntersections = 5;
    int m_nWeightLength = 1;
    int m_nWeightMinDistance = 0;
    int m_nWeightMaxDistance = 0;
    std::vector<CEdgeInfo> m_arrEdges;
    std::vector<CChromosome> m_arrPopulation;

private:
    CChromosome& Entry(int index) { return m_arrPopulation[static_cast<std::size_t>(index)]; }
    // The change of the chromosome's crossings since its last evaluation, counted over
    // the arcs at its changed genes only (m_arrEdges hold its placement).
    // Nothing when the progress cancels.
    std::optional<std::int64_t> CrossingsChange(CChromosome& c, const WorkProgress& progress);

    CRandomSource* m_pRandom;
    // Per node the arcs at it.
    std::vector<std::vector<int>> m_arrIncident;
};
