#pragma once

#include "base/CPoint.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class CEdgeInfo;
class CRandomSource;

// One candidate placement of the case graph's nodes on a G x G grid of cells 60 units
// apart: gene i is the position of node i, and the occupancy grid marks the cells in
// use, so that no two genes share a cell.
class CChromosome {
public:
    static constexpr int kGridStep = 60;

    CChromosome() = default;
    virtual ~CChromosome() = default;
    CChromosome(const CChromosome&) = default;
    CChromosome& operator=(const CChromosome&) = default;

    // Sets the sizes and allocates the genes and an empty grid.
    void Init(int length, int gridSize);
    // Places every gene in a free random cell.
    void RandomInit(CRandomSource& random);
    // Exchanges two random genes.
    void MutationSwap(CRandomSource& random);
    // Moves a random gene to a random free cell.
    void MutationMove(CRandomSource& random);
    // Moves a random gene to a free neighbouring cell, if the one drawn is free.
    void MutationSmallMove(CRandomSource& random);
    // Order crossover of this parent with the other into two children.
    void Cross(const CChromosome& other, CChromosome& child1, CChromosome& child2,
               CRandomSource& random) const;
    // The placement's fitness for the arcs (higher is better), recomputed only when the
    // genes changed; crossings receives the crossings counted when it is recomputed.
    // With knownCrossings the crossings are taken as given instead of counted.
    int Fitness(std::vector<CEdgeInfo>& edges, int edgeCount, int& crossings,
                int weightIntersections, int weightLength, int weightMinDistance,
                int weightMaxDistance, const std::int64_t* knownCrossings = nullptr);

    bool HasGenes() const { return !m_arrGenes.empty(); }
    // Cell of a position on the grid.
    static CPoint CellOf(CPoint position);
    static CPoint PointOf(int cx, int cy);

    bool m_bDirty = true;
    int m_nLength = 0;
    int m_nGridSize = 0;
    int m_nGridStep = kGridStep;
    int m_nMaxDistance = 0;
    std::vector<CPoint> m_arrGenes;
    std::vector<std::uint8_t> m_pGrid;
    int m_nFitness = 0;
    // What the last evaluation counted, and the weights it used: a chromosome whose
    // genes and weights are unchanged (a copy, an elite) is not evaluated again.
    int m_nCrossings = 0;
    std::array<int, 4> m_arrWeightsUsed{-1, -1, -1, -1};
    // m_nCrossings was counted by the last evaluation (the weight of crossings was not 0).
    bool m_bCrossingsCounted = false;
    // The genes changed since the last evaluation, with their positions then, so that
    // only the arcs at them are counted again; after an initialisation, a crossover or
    // many changes everything is (m_bRecount).
    std::vector<std::pair<int, CPoint>> m_arrChanged;
    bool m_bRecount = true;

private:
    // Remembers gene i's position before a mutation changes it.
    void NoteChange(int i);

    std::uint8_t& Cell(int cx, int cy) {
        return m_pGrid[static_cast<std::size_t>(cy * m_nGridSize + cx)];
    }
    std::uint8_t& CellAt(CPoint position);
    // Draws cells until a free one comes up.
    CPoint DrawFreeCell(CRandomSource& random);
    // Fills the child with the segment [lo, hi) of this parent and the rest from the
    // other parent in its order, starting after hi.
    void FillChild(const CChromosome& other, CChromosome& child, int lo, int hi) const;
    // Sums over the genes of the distance to the farthest and to the nearest other gene.
    void SumDistances(std::int64_t& sumMax, std::int64_t& sumMin) const;
};
