#include "layout/CGeneticAlgorithm.h"

#include "base/CRandomSource.h"
#include "layout/CCrossingCounter.h"
#include "model/CPNEdge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

void CGeneticAlgorithm::Init(std::span<CPNEdge* const> arcs, std::span<CPNElement* const> nodes) {
    std::vector<std::pair<int, int>> ends;
    ends.reserve(arcs.size());
    for (const CPNEdge* arc : arcs)
        ends.emplace_back(IndexOf(nodes, arc->m_pFrom), IndexOf(nodes, arc->m_pTo));
    Init(ends, static_cast<int>(nodes.size()));
}

void CGeneticAlgorithm::Init(std::span<const std::pair<int, int>> arcs, int nodes) {
    m_pRandom->SeedWithTime();
    m_nEdges = static_cast<int>(arcs.size());
    m_arrEdges.assign(arcs.size(), CEdgeInfo());
    for (std::size_t k = 0; k < arcs.size(); ++k) {
        m_arrEdges[k].m_nFrom = arcs[k].first;
        m_arrEdges[k].m_nTo = arcs[k].second;
    }
    m_nLength = nodes;
    m_arrIncident.assign(static_cast<std::size_t>(nodes), {});
    for (std::size_t k = 0; k < m_arrEdges.size(); ++k) {
        const auto from = static_cast<std::size_t>(m_arrEdges[k].m_nFrom);
        const auto to = static_cast<std::size_t>(m_arrEdges[k].m_nTo);
        m_arrIncident[from].push_back(static_cast<int>(k));
        if (to != from)
            m_arrIncident[to].push_back(static_cast<int>(k));
    }
}

int CGeneticAlgorithm::IndexOf(std::span<CPNElement* const> nodes, const CPNElement* node) {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i] == node)
            return static_cast<int>(i);
    return 0;
}

bool CGeneticAlgorithm::InitPopulation(const WorkProgress& progress) {
    m_arrPopulation.assign(2 * static_cast<std::size_t>(m_nPopulationSize), CChromosome());
    m_nGeneration = 0;
    CChromosome work;
    work.Init(m_nLength, m_nGridSize);
    for (int i = 0; i < m_nPopulationSize; ++i) {
        work.RandomInit(*m_pRandom);
        Entry(i) = work;
    }
    m_nBestIntersections = 0;
    m_nCurrentBase = 0;
    m_nNextBase = m_nPopulationSize;
    return Evaluate(progress);
}

std::optional<std::int64_t> CGeneticAlgorithm::CrossingsChange(CChromosome& c,
                                                               const WorkProgress& progress) {
    // Only pairs with an arc at a changed gene can change: their crossings now, less
    // their crossings with the genes where they were.
    std::vector<int> arcs;
    for (const auto& [gene, position] : c.m_arrChanged)
        for (int a : m_arrIncident[static_cast<std::size_t>(gene)])
            if (std::find(arcs.begin(), arcs.end(), a) == arcs.end())
                arcs.push_back(a);
    const std::int64_t now = CCrossingCounter::CountAt(m_arrEdges, m_nEdges, arcs, progress);
    if (now < 0)
        return std::nullopt;
    std::vector<CPoint> current;
    for (const auto& [gene, position] : c.m_arrChanged) {
        current.push_back(c.m_arrGenes[static_cast<std::size_t>(gene)]);
        c.m_arrGenes[static_cast<std::size_t>(gene)] = position;
    }
    for (int a : arcs)
        m_arrEdges[static_cast<std::size_t>(a)].Update(c);
    const std::int64_t before = CCrossingCounter::CountAt(m_arrEdges, m_nEdges, arcs, progress);
    for (std::size_t k = 0; k < c.m_arrChanged.size(); ++k)
        c.m_arrGenes[static_cast<std::size_t>(c.m_arrChanged[k].first)] = current[k];
    for (int a : arcs)
        m_arrEdges[static_cast<std::size_t>(a)].Update(c);
    if (before < 0)
        return std::nullopt;
    return now - before;
}

bool CGeneticAlgorithm::Evaluate(const WorkProgress& progress) {
    m_nBestIntersections = 0;
    m_nBestIndex = 0;
    m_nBestFitness = 0;
    const std::array<int, 4> weights = {m_nWeightIntersections, m_nWeightLength,
                                        m_nWeightMinDistance, m_nWeightMaxDistance};
    // Each member's count polls the progress; between members it is told how many are
    // done.
    int evaluated = 0;
    const WorkProgress counting = progress ? [&](std::size_t, std::size_t) {
        return progress(static_cast<std::size_t>(evaluated),
                        static_cast<std::size_t>(m_nPopulationSize));
    } : WorkProgress();
    for (int idx = m_nCurrentBase; idx < m_nCurrentBase + m_nPopulationSize; ++idx, ++evaluated) {
        if (progress && !progress(static_cast<std::size_t>(evaluated),
                                  static_cast<std::size_t>(m_nPopulationSize)))
            return false;
        CChromosome& c = Entry(idx);
        if (c.m_bDirty || c.m_arrWeightsUsed != weights) {
            for (CEdgeInfo& e : m_arrEdges)
                e.Update(c);
            const bool incremental = m_nWeightIntersections != 0 && !c.m_bRecount &&
                                     c.m_bCrossingsCounted &&
                                     c.m_nCrossings < std::numeric_limits<int>::max();
            // The crossings counted here, so that a count cut short changes nothing.
            std::int64_t known = 0;
            if (incremental) {
                const std::optional<std::int64_t> change = CrossingsChange(c, counting);
                if (!change)
                    return false;
                known = c.m_nCrossings + *change;
            } else if (m_nWeightIntersections != 0 && m_nEdges >= 1) {
                known = CCrossingCounter::Count(m_arrEdges, m_nEdges, counting);
                if (known < 0)
                    return false;
            }
            c.m_bDirty = true;
            c.Fitness(m_arrEdges, m_nEdges, c.m_nCrossings, m_nWeightIntersections, m_nWeightLength,
                      m_nWeightMinDistance, m_nWeightMaxDistance, &known);
            c.m_bCrossingsCounted = m_nWeightIntersections != 0;
            c.m_bRecount = false;
            c.m_arrChanged.clear();
            c.m_arrWeightsUsed = weights;
        }
        const int crossings = c.m_nCrossings;
        const int fitness = c.m_nFitness;
        if (static_cast<std::uint32_t>(fitness) > static_cast<std::uint32_t>(m_nBestFitness)) {
            m_nBestIndex = idx;
            m_nBestFitness = fitness;
            m_nBestIntersections = crossings;
        }
    }
    return !progress || progress(static_cast<std::size_t>(m_nPopulationSize),
                                 static_cast<std::size_t>(m_nPopulationSize));
}

CChromosome CGeneticAlgorithm::Select() {
    int i1 = m_nCurrentBase + m_pRandom->Rand() % m_nPopulationSize;
    int i2 = m_nCurrentBase + m_pRandom->Rand() % m_nPopulationSize;
    int i3 = m_nCurrentBase + m_pRandom->Rand() % m_nPopulationSize;
    int f1 = Entry(i1).m_nFitness;
    int f2 = Entry(i2).m_nFitness;
    int f3 = Entry(i3).m_nFitness;
    int winner;
    if (f1 > f2)
        winner = f1 > f3 ? i1 : i3;
    else
        winner = f2 > f3 ? i2 : i3;
    return Entry(winner);
}

bool CGeneticAlgorithm::Chance(int percent) {
    if (percent == 0)
        return false;
    return m_pRandom->Rand() % 100 < percent;
}

int CGeneticAlgorithm::NextGeneration(const WorkProgress& progress) {
    for (int k = 0; k < m_nPopulationSize / 2; ++k) {
        CChromosome a = Select();
        CChromosome b = Select();
        if (Chance(m_nCross)) {
            CChromosome c1;
            CChromosome c2;
            a.Cross(b, c1, c2, *m_pRandom);
            a = std::move(c1);
            b = std::move(c2);
        }
        if (Chance(m_nMutationMove))
            a.MutationMove(*m_pRandom);
        if (Chance(m_nMutationMove))
            b.MutationMove(*m_pRandom);
        if (Chance(m_nMutationSwap))
            a.MutationSwap(*m_pRandom);
        if (Chance(m_nMutationSwap))
            b.MutationSwap(*m_pRandom);
        if (Chance(m_nMutationSmallMove))
            a.MutationSmallMove(*m_pRandom);
        if (Chance(m_nMutationSmallMove))
            b.MutationSmallMove(*m_pRandom);
        Entry(m_nNextBase + 2 * k) = std::move(a);
        Entry(m_nNextBase + 2 * k + 1) = std::move(b);
    }
    // Elitism: the population size is odd, so the last slot takes the best so far.
    Entry(m_nNextBase + 2 * (m_nPopulationSize / 2)) = Entry(m_nBestIndex);
    std::swap(m_nCurrentBase, m_nNextBase);
    const int bestIntersections = m_nBestIntersections;
    const int bestIndex = m_nBestIndex;
    const int bestFitness = m_nBestFitness;
    if (!Evaluate(progress)) {
        // The generation before is as it was, in its half of the population.
        std::swap(m_nCurrentBase, m_nNextBase);
        m_nBestIntersections = bestIntersections;
        m_nBestIndex = bestIndex;
        m_nBestFitness = bestFitness;
        return -1;
    }
    return ++m_nGeneration;
}

void CGeneticAlgorithm::ApplyBest(std::span<CPNElement* const> nodes) const {
    if (!HasPopulation())
        return;
    const CChromosome& best = GetBest();
    for (std::size_t i = 0; i < nodes.size() && i < best.m_arrGenes.size(); ++i)
        nodes[i]->MoveTo(best.m_arrGenes[i]);
}

void CGeneticAlgorithm::Free() {
    m_nEdges = 0;
    m_arrEdges.clear();
    m_arrPopulation.clear();
    m_nGeneration = 0;
    m_nBestIntersections = 0;
    m_nBestIndex = 0;
    m_nBestFitness = 0;
}
