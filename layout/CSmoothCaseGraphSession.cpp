#include "layout/CSmoothCaseGraphSession.h"

#include "model/CPNEdge.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

void CSmoothCaseGraphSession::SetGridSize(int gridSize, int minGridSize) {
    m_nMinGridSize = minGridSize;
    m_ga.SetGridSize(gridSize);
}

void CSmoothCaseGraphSession::ClearStatistics() {
    m_nGenerations = 0;
    m_nIntersections = 0;
    m_nFitness = 0;
    m_bStarted = false;
    m_bHasResult = false;
    m_bPopulationReady = false;
}

void CSmoothCaseGraphSession::Init(const std::vector<CPNEdge*>& arcs,
                                   std::vector<CPNElement*> nodes) {
    std::unordered_map<const CPNElement*, int> index;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        index.emplace(nodes[i], static_cast<int>(i));
    // An end that is none of the nodes stands on the first, as the optimiser takes it.
    auto indexOf = [&index](const CPNElement* node) {
        const auto it = index.find(node);
        return it == index.end() ? 0 : it->second;
    };
    std::vector<std::pair<int, int>> ends;
    ends.reserve(arcs.size());
    for (const CPNEdge* arc : arcs)
        ends.emplace_back(indexOf(arc->m_pFrom), indexOf(arc->m_pTo));
    Init(std::move(ends), std::move(nodes));
}

void CSmoothCaseGraphSession::Init(std::vector<std::pair<int, int>> arcs,
                                   std::vector<CPNElement*> nodes) {
    ClearStatistics();
    m_arrArcs = std::move(arcs);
    m_arrNodes = std::move(nodes);
    m_ga.Init(m_arrArcs, static_cast<int>(m_arrNodes.size()));
}

void CSmoothCaseGraphSession::Clear() {
    ClearStatistics();
    m_ga.Free();
    m_arrArcs.clear();
    m_arrNodes.clear();
}

bool CSmoothCaseGraphSession::Start() {
    if (m_bRunning)
        return false;
    m_bStarted = true;
    m_bRunning = true;
    return true;
}

void CSmoothCaseGraphSession::RunGeneration() {
    if (!m_bPopulationReady) {
        // Each placement's crossings are counted: on a large graph the longest part.
        const WorkProgress progress = [this](std::size_t done, std::size_t total) {
            if (total == static_cast<std::size_t>(m_ga.m_nPopulationSize))
                m_nMade = static_cast<int>(done);
            else if (total > 0)
                m_nCounting = static_cast<int>(1000.0 * static_cast<double>(done) /
                                               static_cast<double>(total));
            return m_bRunning.load();
        };
        m_nMade = 0;
        m_nCounting = 0;
        if (!m_ga.InitPopulation(progress))
            return;
        m_bPopulationReady = true;
        m_bHasResult = true;
    } else {
        const int generations =
            m_ga.NextGeneration([this](std::size_t, std::size_t) { return m_bRunning.load(); });
        if (generations < 0)
            return;
        m_nGenerations = generations;
    }
    m_nIntersections = m_ga.m_nBestIntersections;
    m_nFitness = m_ga.m_nBestFitness;
}

CSmoothCaseGraphSession::PopulationProgress CSmoothCaseGraphSession::GetPopulationProgress() const {
    return {m_nMade.load(), m_ga.m_nPopulationSize, m_nCounting.load() / 1000.0};
}

double CSmoothCaseGraphSession::PopulationPairs() const {
    return static_cast<double>(m_ga.PairsPerPlacement()) * m_ga.m_nPopulationSize;
}

void CSmoothCaseGraphSession::Reset() {
    ClearStatistics();
    m_ga.Init(m_arrArcs, static_cast<int>(m_arrNodes.size()));
}

CGASettings CSmoothCaseGraphSession::GetSettings() const {
    CGASettings s;
    s.m_nCross = m_ga.m_nCross;
    s.m_nGridSize = m_ga.m_nGridSize;
    s.m_nLength = m_ga.m_nLength;
    s.m_nMutationMove = m_ga.m_nMutationMove;
    s.m_nMutationSmallMove = m_ga.m_nMutationSmallMove;
    s.m_nMutationSwap = m_ga.m_nMutationSwap;
    s.m_nPopulationSize = m_ga.m_nPopulationSize;
    s.m_nWeightIntersections = m_ga.m_nWeightIntersections;
    s.m_nWeightLength = m_ga.m_nWeightLength;
    s.m_nWeightMinDistance = m_ga.m_nWeightMinDistance;
    s.m_nWeightMaxDistance = m_ga.m_nWeightMaxDistance;
    s.m_bLocked = m_bStarted;
    return s;
}

void CSmoothCaseGraphSession::ApplySettings(const CGASettings& s) {
    m_ga.m_nCross = s.m_nCross;
    m_ga.m_nMutationMove = s.m_nMutationMove;
    m_ga.m_nMutationSwap = s.m_nMutationSwap;
    m_ga.m_nMutationSmallMove = s.m_nMutationSmallMove;
    // A running population has its grid and size; changing them would break it.
    if (!m_bStarted) {
        m_ga.m_nGridSize = std::max(s.m_nGridSize, m_nMinGridSize);
        int population = std::max(s.m_nPopulationSize, 3);
        if (population % 2 == 0)
            ++population;
        m_ga.m_nPopulationSize = population;
    }
    m_ga.m_nWeightIntersections = s.m_nWeightIntersections;
    m_ga.m_nWeightLength = s.m_nWeightLength;
    m_ga.m_nWeightMinDistance = s.m_nWeightMinDistance;
    m_ga.m_nWeightMaxDistance = s.m_nWeightMaxDistance;
    if (s.m_nWeightIntersections == 0 && s.m_nWeightLength == 0 && s.m_nWeightMinDistance == 0 &&
        s.m_nWeightMaxDistance == 0)
        m_ga.m_nWeightIntersections = 1;
}

void CSmoothCaseGraphSession::ApplyBest() const {
    m_ga.ApplyBest(m_arrNodes);
}
