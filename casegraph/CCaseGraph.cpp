#include "casegraph/CCaseGraph.h"

#include "model/CConditionCaseIndex.h"

#include <new>
#include <string>
#include <unordered_map>

#include "engines/CCaseExplorer.h"
#include "casegraph/CCasePath.h"
#include "engines/CCasesEngine.h"
#include "engines/CDetachedSetCounter.h"
#include "engines/CNodeAdjacency.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "engines/CSymbolicEngine.h"
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
    if (!m_arrCases.empty() || !m_arrSteps.empty() || !m_arrStepLabels.empty())
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
    // The events keep their concession as the last case and direction examined left
    // it: backward in the last node.
    const CSetConditions& last = m_arrCases.back()->m_setConditions;
    for (CPNEvent* event : m_arrNetEvents)
        event->UpdateEnabled(last, false);
    m_arrStepInfos.clear();
    m_arrEnabled.clear();
    m_nStepInfos = m_nEnabled = 0;
    return ECaseGraphResult::Completed;
}

void CCaseGraph::TakeCasesWithoutSteps(std::unique_ptr<CCasesEngine> cases) {
    if (!m_arrCases.empty() || !m_arrSteps.empty() || !m_arrStepLabels.empty())
        DeleteContents(false);
    m_arrNetEvents = cases->GetEvents();
    m_nNetEvents = static_cast<int>(m_arrNetEvents.size());
    m_bSmoothPrepared = false;
    const int n = cases->GetCaseCount();
    m_arrCases.reserve(At(n));
    for (int i = 0; i < n; ++i)
        m_arrCases.push_back(new CPNCase(cases->GetCase(i)));
    m_nCases = n;
    m_nSteps = 0;
    m_arrRoutedAt.assign(At(n), CPoint());
    m_pStepsOnDemand = std::move(cases);
}

void CCaseGraph::TakeSymbolic(std::unique_ptr<CSymbolicEngine> symbolic,
                              const std::vector<CPNEvent*>& events) {
    DeleteContents(false);
    m_pSymbolic = std::move(symbolic);
    // The automatic run draws its steps from the events.
    m_arrNetEvents = events;
    m_nNetEvents = static_cast<int>(events.size());
}

std::string CCaseGraph::GetStepCountText() const {
    if (m_pSymbolic)
        return m_pSymbolic->CountSteps();
    return m_pStepsOnDemand ? DecimalText(m_pStepsOnDemand->GetStepCount())
                            : std::to_string(m_nSteps);
}

std::string CCaseGraph::GetCaseCountText() const {
    return m_pSymbolic ? m_pSymbolic->CountCases() : std::to_string(m_nCases);
}

CNodeAdjacency CCaseGraph::ForwardAdjacency() const {
    if (m_pStepsOnDemand && m_pStepsOnDemand->GetCaseCount() == m_nCases)
        return m_pStepsOnDemand->ForwardAdjacency();
    std::vector<std::pair<int, int>> ends;
    ends.reserve(m_arrStepRecords.size());
    for (const CStepRecord& step : m_arrStepRecords)
        ends.emplace_back(step.from, step.to);
    return CNodeAdjacency(static_cast<int>(m_arrCases.size()), ends);
}

CNodeAdjacency CCaseGraph::SingleEventAdjacency() const {
    if (m_pStepsOnDemand && m_pStepsOnDemand->GetCaseCount() == m_nCases)
        return m_pStepsOnDemand->ForwardAdjacency();
    std::vector<std::pair<int, int>> single;
    for (const CStepRecord& step : m_arrStepRecords)
        if (m_eventSets[step.events].GetCount() == 1)
            single.emplace_back(step.from, step.to);
    return CNodeAdjacency(static_cast<int>(m_arrCases.size()), single);
}

CCasePath CCaseGraph::FindPath(const CPNCase* from, const CPNCase* to) {
    if (!m_pStepsOnDemand || m_arrCases.empty() || from != m_arrCases[0])
        return CCasePath::Find(*this, from, to);
    std::vector<CCasesEngine::PathStep> found;
    if (!m_pStepsOnDemand->ShortestPath(CaseIndexOf(to), found))
        return CCasePath();
    std::vector<CCasePath::Step> steps;
    for (const CCasesEngine::PathStep& step : found) {
        // A forward step runs from its first case; one undone runs into it.
        const int a = step.forward ? step.from : step.to;
        const int b = step.forward ? step.to : step.from;
        AddStep(step.events, a, b);
        steps.push_back({m_arrStepRecords.size() - 1, step.events.ToString(), step.forward,
                         m_arrCases[At(step.to)]});
    }
    return CCasePath::Of(std::move(steps));
}

CPNCase* CCaseGraph::FindCase(const CSetConditions& c) const {
    for (CPNCase* node : m_arrCases)
        if (node->m_setConditions.IsEqual(c))
            return node;
    return nullptr;
}

void CCaseGraph::MarkInitialCase(const CSetConditions& initialCase) {
    CPNCase* node = FindCase(initialCase);
    if (!node)
        return;
    node->m_bInitial = true;
    if (!node->m_bReachable)
        MarkReachable(node);
}

const CPNCase* CCaseGraph::GetInitialCase() const {
    for (const CPNCase* node : m_arrCases)
        if (node->m_bInitial)
            return node;
    return nullptr;
}

void CCaseGraph::MarkReachable(CPNCase* node) {
    if (!node)
        return;
    node->m_bReachable = true;
    const CNodeAdjacency adjacency = ForwardAdjacency();
    const int start = CaseIndexOf(node);
    if (start < 0)
        return;
    // An explicit stack: a chain of a million cases is as deep as it is long. Marked
    // nodes are not entered again, as in the depth-first marking.
    std::vector<int> stack{start};
    while (!stack.empty()) {
        const int u = stack.back();
        stack.pop_back();
        for (int v : adjacency.Successors(u)) {
            CPNCase* target = m_arrCases[At(v)];
            if (!target->m_bReachable) {
                target->m_bReachable = true;
                stack.push_back(v);
            }
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
            m_arrSavedPositions.push_back(node->m_ptPos);
        m_nSavedPositions = static_cast<int>(m_arrSavedPositions.size());
    }
    m_bLaidOut = false;
    m_pStepsOnDemand.reset();
    m_pSymbolic.reset();
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
    m_arrNetEvents.clear();
    m_arrStepInfos.clear();
    m_arrEnabled.clear();
    m_nCases = m_nSteps = m_nStepLabels = m_nNetEvents = 0;
    m_nStepInfos = m_nEnabled = 0;
    for (CPNElement* element : m_listElements)
        delete element;
    m_listElements.clear();
    m_bSmoothPrepared = false;
    m_smoothSession.Clear();
}

bool CCaseGraph::IsContactFree() const {
    if (m_pSymbolic)
        return m_pSymbolic->IsContactFree();
    if (m_pStepsOnDemand && m_pStepsOnDemand->GetCaseCount() == m_nCases)
        return m_pStepsOnDemand->IsContactFree();
    std::vector<const CSetConditions*> cases;
    cases.reserve(m_arrCases.size());
    for (const CPNCase* node : m_arrCases)
        cases.push_back(&node->m_setConditions);
    // A contact needs the pre-set or the post-set in the case: only the cases that may
    // include one of them are asked.
    const CConditionCaseIndex index(cases);
    for (const CPNEvent* event : m_arrNetEvents) {
        const CSetConditions& pre = event->m_setPreConditions;
        const CSetConditions& post = event->m_setPostConditions;
        for (const CSetConditions* side : {&pre, &post}) {
            const std::vector<std::size_t>* candidates = index.CasesThatMayInclude(*side);
            const std::size_t count = candidates ? candidates->size() : cases.size();
            for (std::size_t k = 0; k < count; ++k)
                if (cases[candidates ? (*candidates)[k] : k]->IsContact(pre, post))
                    return false;
        }
    }
    return true;
}

void CCaseGraph::MarkCurrentCase(const CSetConditions& currentCase, bool mark) {
    for (CPNCase* node : m_arrCases)
        node->m_bCurrent = mark && node->m_setConditions.IsEqual(currentCase);
}

void CCaseGraph::CollectEnabledEvents(const CSetConditions& currentCase, bool forward) {
    m_arrEnabled.clear();
    for (CPNEvent* event : m_arrNetEvents)
        if (event->UpdateEnabled(currentCase, forward))
            m_arrEnabled.push_back(event);
    m_nEnabled = static_cast<int>(m_arrEnabled.size());
}

void CCaseGraph::AppendStepInfo(const CStepInfo& step) {
    m_arrStepInfos.push_back(step);
    m_nStepInfos = static_cast<int>(m_arrStepInfos.size());
}

void CCaseGraph::BuildSteps() {
    m_arrStepInfos.clear();
    m_nStepInfos = 0;
    const int n = m_nEnabled;
    if (n == 0)
        return;
    if (n == 1) {
        CStepInfo single;
        single.AddEvent(m_arrEnabled[0]);
        AppendStepInfo(single);
        return;
    }
    m_nMaxDepth = n - 1;
    EnumerateSteps(CStepInfo(), 0, 1);
    // The whole set, when its events are pairwise detached.
    CStepInfo all;
    for (CPNEvent* event : m_arrEnabled) {
        if (!event->m_setPreConditions.Intersect(all.m_setPre).IsEmpty() ||
            !event->m_setPostConditions.Intersect(all.m_setPost).IsEmpty())
            return;
        all.AddEvent(event);
    }
    AppendStepInfo(all);
}

void CCaseGraph::EnumerateSteps(const CStepInfo& prefix, int first, int depth) {
    for (int j = first; j < m_nEnabled; ++j) {
        CPNEvent* event = m_arrEnabled[At(j)];
        if (depth != 1 && (event->m_setPreConditions.Meets(prefix.m_setPre) ||
                           event->m_setPostConditions.Meets(prefix.m_setPost)))
            continue;
        CStepInfo step = prefix;
        step.AddEvent(event);
        AppendStepInfo(step);
        if (depth < m_nMaxDepth)
            EnumerateSteps(step, j + 1, depth + 1);
    }
}

bool CCaseGraph::GetNextStep(int& position, CStepInfo& step) const {
    if (position < 0 || position >= m_nStepInfos || At(position) >= m_arrStepInfos.size())
        return false;
    step = m_arrStepInfos[At(position)];
    ++position;
    return true;
}

CSetEvents CCaseGraph::ChooseStep(const CSetConditions& currentCase, bool random) {
    CollectEnabledEvents(currentCase, true);
    // The step the list would give, found without listing the steps: a case of many
    // concurrent events offers billions of them. (Past a thousand events the list is
    // made.)
    const auto conflict = [this](int i, int j) {
        const CPNEvent* a = m_arrEnabled[At(i)];
        const CPNEvent* b = m_arrEnabled[At(j)];
        return a->m_setPreConditions.Meets(b->m_setPreConditions) ||
               a->m_setPostConditions.Meets(b->m_setPostConditions);
    };
    const auto counted = DetachedSets::Ask(m_nEnabled, conflict, DetachedSets::EAsk::Count);
    if (counted) {
        if (counted->count == 0)
            return CSetEvents();
        const auto chosen =
            random ? DetachedSets::Ask(m_nEnabled, conflict, DetachedSets::EAsk::At,
                                       static_cast<UInt128>(m_rRandom.Rand()) % counted->count)
                   : DetachedSets::Ask(m_nEnabled, conflict, DetachedSets::EAsk::FirstLargest);
        CSetEvents events;
        for (int i : chosen->step)
            events.Add(m_arrEnabled[At(i)]);
        return events;
    }
    BuildSteps();
    if (m_nStepInfos == 0)
        return CSetEvents();
    if (random)
        return m_arrStepInfos[At(m_rRandom.Rand() % m_nStepInfos)].m_setEvents;
    int best = 0;
    for (int i = 1; i < m_nStepInfos; ++i)
        if (m_arrStepInfos[At(i)].m_setEvents.GetCount() >
            m_arrStepInfos[At(best)].m_setEvents.GetCount())
            best = i;
    return m_arrStepInfos[At(best)].m_setEvents;
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
        ar.WriteObjectList(m_arrCases);
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
