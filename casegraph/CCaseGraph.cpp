#include "casegraph/CCaseGraph.h"

#include "engines/CCaseEngine.h"
#include "engines/CCaseExplorer.h"


#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>

#include "engines/CNodeAdjacency.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "base/CRandomSource.h"
#include "base/FormatString.h"
#include "model/CNetDesign.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include "base/CArchive.h"
#include <cstddef>

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

CCaseGraph::CCaseGraph(CRandomSource& random)
    : m_smoothSession(random), m_rRandom(random), m_pScratchFrom(std::make_unique<CPNCase>()),
      m_pScratchTo(std::make_unique<CPNCase>()), m_pScratchStep(std::make_unique<CPNStep>()),
      m_pScratchLabel(std::make_unique<CPNLabel>()) {}

CCaseGraph::~CCaseGraph() {
    DeleteContents(true);
}

void CCaseGraph::CollectNetEvents(const CNetDesign& net) {
    m_arrNetEvents = net.GetEvents();
    m_nNetEvents = static_cast<int>(m_arrNetEvents.size());
}

ECaseGraphResult CCaseGraph::ComputeCaseGraph(const CSetConditions& initialCase,
                                              const CNetDesign& net,
                                              const CaseGraphProgress& progress) {
    // A graph larger than the memory the process may have is an answer, not a crash:
    // what was made of it goes, and the caller says so.
    try {
        return ComputeAll(initialCase, net, progress);
    } catch (const std::bad_alloc&) {
        DeleteContents(false);
        return ECaseGraphResult::NotEnoughMemory;
    }
}

ECaseGraphResult CCaseGraph::ComputeAll(const CSetConditions& initialCase, const CNetDesign& net,
                                        const CaseGraphProgress& progress) {
    // A graph that is still there would be lost: empty it as the caller would.
    if (!m_arrCases.empty() || m_pCaseSource || !m_arrSteps.empty() || !m_arrStepLabels.empty())
        DeleteContents(false);
    CollectNetEvents(net);
    m_bSmoothPrepared = false;
    m_nSteps = m_nCases = 0;

    CCaseExplorer explorer(m_arrNetEvents, initialCase);
    if (explorer.Run(progress) == ECaseGraphResult::Cancelled) {
        DeleteContents(false);
        return ECaseGraphResult::Cancelled;
    }

    const int nCases = explorer.GetCaseCount();
    const int nArcs = explorer.GetArcCount();
    auto goOn = [&](int done) {
        return !progress || done % CCaseExplorer::kProgressInterval != 0 || progress(nCases, nArcs);
    };
    m_arrCases.reserve(At(nCases));
    for (int i = 0; i < nCases; ++i)
        m_arrCases.push_back(new CPNCase(explorer.GetCase(i)));
    m_nCases = nCases;
    m_arrRoutedAt.assign(At(nCases), CPoint());
    m_arrStepRecords.reserve(At(nArcs));
    CSetEvents events;
    // The pool's number of each distinct set of event bits: most steps repeat a set.
    std::unordered_map<std::string, std::uint32_t> setOfBits;
    const std::size_t bitBytes =
        static_cast<std::size_t>(explorer.GetEventWords()) * sizeof(CCaseExplorer::Word);
    std::string bits;
    for (int a = 0; a < nArcs; ++a) {
        bits.assign(reinterpret_cast<const char*>(explorer.GetArcEventWords(a)), bitBytes);
        auto [it, added] = setOfBits.try_emplace(bits, 0);
        if (added) {
            explorer.GetArcEvents(a, events);
            it->second = m_eventSets.Add(events);
        }
        CStepRecord step;
        step.from = explorer.GetArcFrom(a);
        step.to = explorer.GetArcTo(a);
        step.events = it->second;
        m_arrStepRecords.push_back(step);
        m_nSteps = a + 1;
        explorer.ReleaseArcsBefore(a + 1);
        if (!goOn(a + 1)) {
            DeleteContents(false);
            return ECaseGraphResult::Cancelled;
        }
    }

    m_arrSteps.assign(At(nArcs), nullptr);
    m_bAllSteps = true;
    return ECaseGraphResult::Completed;
}

bool CCaseGraph::TakeCases(const CCaseEngine& engine, const std::vector<CPNEvent*>& events,
                           const CaseGraphProgress& progress) {
    DeleteContents(false);
    m_arrNetEvents = events;
    m_nNetEvents = static_cast<int>(m_arrNetEvents.size());
    m_bSmoothPrepared = false;
    m_bAllSteps = false;
    const int n = engine.CaseCount();
    // The cases stay the engine's rows: nothing of them is made until asked for. The
    // progress is told once for every interval's worth of cases, as when they were made
    // here, so that a Cancel that came while the engine worked is still heard.
    if (progress && n >= CCaseExplorer::kProgressInterval && !progress(n, 0))
        return false;
    m_pCaseSource = &engine;
    m_arrReachableRows.assign(At(n), false);
    m_nCases = n;
    m_nSteps = 0;
    m_arrRoutedAt.assign(At(n), CPoint());
    return true;
}

bool CCaseGraph::PrepareCaseObjects(const WorkProgress& progress) const {
    if (!m_pCaseSource)
        return true;
    const std::size_t n = m_arrReachableRows.size();
    // The nodes made before (a part shown) stay, with their places and names.
    if (m_arrCases.empty())
        m_arrCases.assign(n, nullptr);
    std::vector<std::uint32_t> madeNow;
    for (std::size_t i = 0; i < n; ++i) {
        if (!ReportWork(progress, i, n)) {
            // The rows stay what the graph holds: none of those made here is kept.
            for (const std::uint32_t k : madeNow) {
                delete m_arrCases[k];
                m_arrCases[k] = nullptr;
            }
            return false;
        }
        if (!m_arrCases[i]) {
            MakeCaseFromRow(i);
            madeNow.push_back(static_cast<std::uint32_t>(i));
        }
    }
    m_pCaseSource = nullptr;
    m_arrReachableRows.clear();
    m_arrReachableRows.shrink_to_fit();
    return true;
}

CPNCase* CCaseGraph::MakeCaseFromRow(std::size_t i) const {
    auto* node = new CPNCase(m_pCaseSource->Case(static_cast<int>(i)));
    node->m_bReachable = m_arrReachableRows[i];
    node->m_bInitial = static_cast<int>(i) == m_nInitialRow;
    node->m_bCurrent = static_cast<int>(i) == m_nCurrentRow;
    node->m_bShowReachability = m_bShowReachability;
    m_arrCases[i] = node;
    return node;
}

CPNCase* CCaseGraph::CaseAt(std::size_t i) const {
    if (!m_pCaseSource)
        return m_arrCases[i];
    if (m_arrCases.empty())
        m_arrCases.assign(m_arrReachableRows.size(), nullptr);
    return m_arrCases[i] ? m_arrCases[i] : MakeCaseFromRow(i);
}

CSetConditions CCaseGraph::CaseConditions(std::size_t i) const {
    if (const CPNCase* node = MadeCase(i))
        return node->m_setConditions;
    return m_pCaseSource ? m_pCaseSource->Case(static_cast<int>(i)) : CSetConditions();
}

std::string CCaseGraph::CaseName(std::size_t i) const {
    const CPNCase* node = MadeCase(i);
    return node && !node->m_label.m_strText.empty() ? node->m_label.m_strText : CaseNameOf(i);
}

std::string CCaseGraph::CaseNameOf(std::size_t i) {
    return FormatString("c%zu", i + 1);
}

std::size_t CCaseGraph::MadeCaseCount() const {
    return static_cast<std::size_t>(std::count_if(m_arrCases.begin(), m_arrCases.end(),
                                                  [](const CPNCase* node) { return node; }));
}

CNodeAdjacency CCaseGraph::ForwardAdjacency() const {
    std::vector<std::pair<int, int>> ends;
    ends.reserve(m_arrStepRecords.size());
    for (const CStepRecord& step : m_arrStepRecords)
        ends.emplace_back(step.from, step.to);
    return CNodeAdjacency(static_cast<int>(CaseCount()), ends);
}

CNodeAdjacency CCaseGraph::SingleEventAdjacency() const {
    std::vector<std::pair<int, int>> single;
    for (const CStepRecord& step : m_arrStepRecords)
        if (m_eventSets[step.events].GetCount() == 1)
            single.emplace_back(step.from, step.to);
    return CNodeAdjacency(static_cast<int>(CaseCount()), single);
}

CPNCase* CCaseGraph::FindCase(const CSetConditions& c) const {
    for (CPNCase* node : m_arrCases)
        if (node && node->m_setConditions.IsEqual(c))
            return node;
    return nullptr;
}

void CCaseGraph::MarkInitialCase(const CSetConditions& initialCase,
                                 const CNodeAdjacency* successors) {
    if (m_pCaseSource) {
        const int row = m_pCaseSource->IndexOf(initialCase);
        if (row < 0)
            return;
        m_nInitialRow = row;
        for (std::size_t i = 0; i < m_arrCases.size(); ++i)
            if (m_arrCases[i])
                m_arrCases[i]->m_bInitial = static_cast<int>(i) == row;
        if (m_arrReachableRows[At(row)])
            return;
        std::optional<CNodeAdjacency> own;
        if (!successors)
            own.emplace(ForwardAdjacency());
        MarkReachableFrom(row, successors ? *successors : *own);
        return;
    }
    CPNCase* node = FindCase(initialCase);
    if (!node)
        return;
    node->m_bInitial = true;
    if (!node->m_bReachable)
        MarkReachable(node, successors);
}

const CPNCase* CCaseGraph::GetInitialCase() const {
    if (m_pCaseSource)
        return m_nInitialRow >= 0 ? CaseAt(At(m_nInitialRow)) : nullptr;
    for (const CPNCase* node : CaseObjects())
        if (node->m_bInitial)
            return node;
    return nullptr;
}

void CCaseGraph::MarkReachable(CPNCase* node, const CNodeAdjacency* successors) {
    if (!node)
        return;
    node->m_bReachable = true;
    std::optional<CNodeAdjacency> own;
    if (!successors)
        own.emplace(ForwardAdjacency());
    const int start = CaseIndexOf(node);
    if (start >= 0)
        MarkReachableFrom(start, successors ? *successors : *own);
}

void CCaseGraph::MarkReachableFrom(int start, const CNodeAdjacency& adjacency) {
    // On the rows or on the nodes, whichever the graph holds.
    const bool rows = m_pCaseSource != nullptr;
    auto marked = [&](int v) {
        return rows ? static_cast<bool>(m_arrReachableRows[At(v)])
                    : m_arrCases[At(v)]->m_bReachable;
    };
    auto mark = [&](int v) {
        if (rows)
            m_arrReachableRows[At(v)] = true;
        if (CPNCase* node = At(v) < m_arrCases.size() ? m_arrCases[At(v)] : nullptr)
            node->m_bReachable = true;
    };
    // The nodes reached are entered in index order, where their successor lists lie
    // one after the other (on millions of cases a walk in any other order waits on
    // the memory at every node); one reached behind the sweep goes on a stack and is
    // entered at once. Nodes marked before are not entered, as in the depth-first
    // marking: what they reach is marked already.
    const int n = adjacency.GetNodeCount();
    std::vector<std::uint8_t> reached(At(n), 0);
    std::vector<int> stack;
    int sweep = 0;
    auto reach = [&](int v) {
        mark(v);
        reached[At(v)] = 1;
        if (v < sweep)
            stack.push_back(v);
    };
    auto enter = [&](int u) {
        for (const int v : adjacency.Successors(u))
            if (!marked(v))
                reach(v);
    };
    reach(start);
    for (; sweep < n; ++sweep) {
        if (!reached[At(sweep)])
            continue;
        enter(sweep);
        while (!stack.empty()) {
            const int u = stack.back();
            stack.pop_back();
            enter(u);
        }
    }
}

void CCaseGraph::DeleteContents(bool discardPositions) {
    ++m_nGeneration;
    // A new graph is shown whole.
    ShowOnly({});
    CPNElement::GeometryChanged();
    m_sizeExtent = CSize(100, 100);
    if (discardPositions) {
        m_nSavedPositions = 0;
        m_arrSavedPositions.clear();
    } else if (m_bLaidOut) {
        m_arrSavedPositions.clear();
        for (const CPNCase* node : m_arrCases)
            m_arrSavedPositions.push_back(node ? node->m_ptPos : CPoint());
        m_nSavedPositions = static_cast<int>(m_arrSavedPositions.size());
    }
    m_bLaidOut = false;
    m_bAllSteps = true;
    // The classes refer to the nodes that go now.
    m_listClasses.clear();
    for (CPNStep* arc : m_arrSteps)
        delete arc;
    for (CPNLabel* label : m_arrStepLabels)
        delete label;
    for (CPNCase* node : m_arrCases)
        delete node;
    m_arrStepRecords.clear();
    m_arrStepRecords.shrink_to_fit();
    m_eventSets.Clear();
    m_arrRoutedAt.clear();
    m_arrSteps.clear();
    m_arrSteps.shrink_to_fit();
    m_arrStepLabels.clear();
    m_arrStepLabels.shrink_to_fit();
    m_arrCases.clear();
    m_arrCases.shrink_to_fit();
    m_pCaseSource = nullptr;
    m_arrReachableRows.clear();
    m_arrReachableRows.shrink_to_fit();
    m_nInitialRow = m_nCurrentRow = -1;
    m_arrNetEvents.clear();
    m_nCases = m_nSteps = m_nStepLabels = m_nNetEvents = 0;
    for (CPNElement* element : m_listElements)
        delete element;
    m_listElements.clear();
    m_bSmoothPrepared = false;
    m_smoothSession.Clear();
}

void CCaseGraph::MarkCurrentCase(const CSetConditions& currentCase, bool mark) {
    if (m_pCaseSource) {
        m_nCurrentRow = mark ? m_pCaseSource->IndexOf(currentCase) : -1;
        for (std::size_t i = 0; i < m_arrCases.size(); ++i)
            if (m_arrCases[i])
                m_arrCases[i]->m_bCurrent = static_cast<int>(i) == m_nCurrentRow;
        return;
    }
    m_nCurrentRow = -1;
    for (std::size_t i = 0; i < m_arrCases.size(); ++i) {
        CPNCase* node = m_arrCases[i];
        node->m_bCurrent = mark && node->m_setConditions.IsEqual(currentCase);
        if (node->m_bCurrent && m_nCurrentRow < 0)
            m_nCurrentRow = static_cast<int>(i);
    }
}

int CCaseGraph::CurrentCaseIndex() const {
    if (m_pCaseSource)
        return m_nCurrentRow;
    for (std::size_t i = 0; i < m_arrCases.size(); ++i)
        if (m_arrCases[i]->m_bCurrent)
            return static_cast<int>(i);
    return -1;
}

void CCaseGraph::ForgetLoadedElements() {
    m_arrCases.clear();
    m_arrSteps.clear();
    m_arrStepLabels.clear();
    m_arrNetEvents.clear();
    m_listElements.clear();
    DeleteContents(true);
}

void CCaseGraph::Serialize(CArchive& ar) {
    if (!ar.IsStoring())
        CPNElement::GeometryChanged();
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nCases);
        ar.WriteInt32(m_nSteps);
        ar.WriteInt32(m_nStepLabels);
        ar.WriteInt32(m_nNetEvents);
        ar.WriteInt32(m_nGridSize);
        ar.WriteInt32(m_nMinGridSize);
        ar.WriteSize(m_sizeExtent);
        ar.WriteBool32(m_bLaidOut);
        ar.WriteInt32(m_nSavedPositions);
        ar.WritePointArray(m_arrSavedPositions);
        ar.WriteObjectList(CaseObjects());
        WriteSteps(ar);
        ar.WriteObjectList(m_arrNetEvents);
        ar.WriteObjectList(m_listElements);
        return;
    }
    DeleteContents(true);
    m_nCases = ar.ReadInt32();
    m_nSteps = ar.ReadInt32();
    m_nStepLabels = ar.ReadInt32();
    m_nNetEvents = ar.ReadInt32();
    m_nGridSize = ar.ReadInt32();
    m_nMinGridSize = ar.ReadInt32();
    m_sizeExtent = ar.ReadSize();
    m_bLaidOut = ar.ReadBool32();
    m_nSavedPositions = ar.ReadInt32();
    m_arrSavedPositions = ar.ReadPointArray();
    ar.ReadObjectList<CPNCase>(m_arrCases);
    ReadSteps(ar);
    ar.ReadObjectList<CPNEvent>(m_arrNetEvents);
    ar.ReadObjectList<CPNElement>(m_listElements);
}
