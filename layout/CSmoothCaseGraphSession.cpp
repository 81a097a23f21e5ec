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
    m_bStarted = true;
    m_bHasResult = true;
    if (m_bRunning)
        return false;
    m_bRunning = true;
    if (!m_bPopulationReady) {
        m_bPopulationReady = true;
        m_ga.InitPopulation();
    }
    return true;
}

void CSmoothCaseGraphSession::RunGeneration() {
    m_nGenerations = m_ga.NextGeneration();
    m_nIntersections = m_ga.m_nBestIntersections;
    m_nFitness = m_ga.m_nBestFitness;
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
