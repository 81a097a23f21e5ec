#include "python/CScriptNet.h"

#include "base/UInt128.h"
#include "document/CAutomaticRun.h"
#include "engines/CDetachedSetCounter.h"
#include "formats/GraphForOtherTools.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "python/CInterruptWatch.h"
#include "python/CLineRecorder.h"

#include <algorithm>
#include <map>

namespace {

// The events with forward concession in the case, in the net's order.
std::vector<CPNEvent*> EnabledIn(const CNetDesign& net, const CSetConditions& c) {
    std::vector<CPNEvent*> enabled;
    for (CPNEvent* event : net.GetEvents())
        if (c.HasConcession(event->m_setPreConditions, event->m_setPostConditions, true))
            enabled.push_back(event);
    return enabled;
}

// The steps of the events: sets of them no two of which share a condition.
std::optional<DetachedSets::Answer> AskSteps(const std::vector<CPNEvent*>& enabled,
                                             DetachedSets::EAsk ask, UInt128 k = 0) {
    const auto conflict = [&enabled](int i, int j) {
        const CPNEvent* a = enabled[static_cast<std::size_t>(i)];
        const CPNEvent* b = enabled[static_cast<std::size_t>(j)];
        return a->m_setPreConditions.Meets(b->m_setPreConditions) ||
               a->m_setPostConditions.Meets(b->m_setPostConditions);
    };
    return DetachedSets::Ask(static_cast<int>(enabled.size()), conflict, ask, k);
}

std::string Decimal(UInt128 n) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
        n /= 10;
    } while (n != 0);
    return text;
}

UInt128 FromDecimal(const std::string& text) {
    UInt128 n = 0;
    for (char ch : text)
        n = n * 10 + static_cast<unsigned>(ch - '0');
    return n;
}

} // namespace

void CScriptNet::EnsureSimulation() {
    CZerinDoc& doc = m_session.Doc();
    if (doc.Simulation().IsActive())
        return;
    // The net is tested with the engine of its last case class (auto at first).
    CLineRecorder lines;
    CInterruptWatch watch(m_session.Frame());
    const CHeadlessSession::ETest test = m_session.EnterWithFullTest();
    ++m_nStamp;
    m_bStored = doc.CaseGraph().HasAllSteps();
    watch.Finish();
    if (test == CHeadlessSession::ETest::Failed)
        Fail(CScriptError::EKind::Limit, lines.Lines());
    if (test == CHeadlessSession::ETest::NotCESystem)
        throw CScriptError(CScriptError::EKind::Net,
                           m_session.File() + ": the net is not a C/E system, it has no token game",
                           lines.Lines());
}

CScriptCase CScriptNet::CurrentCase() {
    EnsureSimulation();
    return Names(m_session.Doc().Simulation().CurrentCase());
}

CScriptCase CScriptNet::InitialCase() {
    EnsureSimulation();
    return Names(m_session.Doc().Simulation().InitialCase());
}

std::vector<std::string> CScriptNet::EventsWithConcession(const std::optional<CScriptCase>& in) {
    EnsureSimulation();
    const CSetConditions c = in ? CaseNamed(*in) : m_session.Doc().Simulation().CurrentCase();
    std::vector<std::string> names;
    for (const CPNEvent* event : EnabledIn(m_session.Doc().NetDesign(), c))
        names.push_back(CNetDesign::NameLabelOf(event) ? CNetDesign::NameLabelOf(event)->m_strText
                                                       : std::string());
    return names;
}

std::string CScriptNet::CountSteps(const std::optional<CScriptCase>& in) {
    EnsureSimulation();
    const CSetConditions c = in ? CaseNamed(*in) : m_session.Doc().Simulation().CurrentCase();
    const auto steps =
        AskSteps(EnabledIn(m_session.Doc().NetDesign(), c), DetachedSets::EAsk::Count);
    if (!steps)
        throw CScriptError(CScriptError::EKind::Engine,
                           m_session.File() + ": over 1,024 events have concession at once: "
                                              "their steps are not counted");
    return Decimal(steps->count);
}

std::vector<std::string> CScriptNet::StepAt(const std::optional<CScriptCase>& in,
                                            const std::string& k) {
    EnsureSimulation();
    const CSetConditions c = in ? CaseNamed(*in) : m_session.Doc().Simulation().CurrentCase();
    const std::vector<CPNEvent*> enabled = EnabledIn(m_session.Doc().NetDesign(), c);
    const auto count = AskSteps(enabled, DetachedSets::EAsk::Count);
    const UInt128 at = FromDecimal(k);
    if (!count || at >= count->count)
        throw CScriptError(CScriptError::EKind::Argument, "the case has no step " + k);
    const auto step = AskSteps(enabled, DetachedSets::EAsk::At, at);
    std::vector<std::string> names;
    for (int i : step->step)
        names.push_back(CNetDesign::NameLabelOf(enabled[static_cast<std::size_t>(i)])->m_strText);
    return names;
}

CScriptCase CScriptNet::Fire(const std::vector<std::string>& events) {
    EnsureSimulation();
    CZerinDoc& doc = m_session.Doc();
    std::list<CPNElement*> step;
    for (const std::string& name : events)
        step.push_back(&EventNamed(name));
    CLineRecorder lines;
    doc.Selection().Clear();
    for (CPNElement* event : step)
        doc.Selection().Append(event);
    if (!doc.Simulation().CheckStep(true)) {
        doc.Selection().Clear();
        std::string why = lines.Lines().empty() ? "no events make no step" : lines.Lines().back();
        if (why.starts_with("Error: "))
            why = why.substr(7);
        throw CScriptError(CScriptError::EKind::Argument, m_session.File() + ": " + why);
    }
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    return Names(doc.Simulation().CurrentCase());
}

void CScriptNet::Reset() {
    EnsureSimulation();
    CLineRecorder quiet;
    m_session.Doc().Simulation().Reset();
}

void CScriptNet::SetCase(const CScriptCase& c) {
    EnsureSimulation();
    const CSetConditions wanted = CaseNamed(c);
    CCaseEngine* engine = m_session.Doc().Simulation().Engine();
    if (engine && engine->ListsCases() && engine->IndexOf(wanted) < 0)
        throw CScriptError(CScriptError::EKind::Argument,
                           m_session.File() + ": the case " + wanted.ToString(false) +
                               " is not in the case class");
    CLineRecorder quiet;
    m_session.Doc().Simulation().SetCase(wanted);
    m_session.Doc().Simulation().RefreshCase();
}

CScriptRun CScriptNet::Run(int steps, std::optional<unsigned> seed, bool largest,
                           const std::vector<std::vector<std::string>>& breakAt,
                           const CEngineOptions& engine) {
    NewCaseClass();
    if (!m_session.UseEngine(engine, breakAt.empty() ? CHeadlessSession::ENeeds::Anything
                                                     : CHeadlessSession::ENeeds::Cases))
        Fail(CScriptError::EKind::Engine);
    m_session.ApplySeed(seed);
    CScriptRun run;
    CLineRecorder lines;
    CInterruptWatch watch(m_session.Frame());
    const CHeadlessSession::ETest test = m_session.EnterWithFullTest();
    m_bStored = m_session.Doc().CaseGraph().HasAllSteps();
    if (test == CHeadlessSession::ETest::Failed) {
        watch.Finish();
        Fail(CScriptError::EKind::Limit, lines.Lines());
    }
    if (test == CHeadlessSession::ETest::NotCESystem) {
        watch.Finish();
        throw CScriptError(CScriptError::EKind::Net,
                           m_session.File() + ": the net is not a C/E system, it has no token game",
                           lines.Lines());
    }
    if (!m_session.SetBreakpoints(breakAt)) {
        watch.Finish();
        Fail(CScriptError::EKind::Argument, lines.Lines());
    }
    const CSimulation& simulation = m_session.Doc().Simulation();
    m_session.RunAutomatically(steps, largest, [&](const std::list<CPNElement*>& step) {
        CSetEvents events;
        for (CPNElement* element : step)
            if (auto* event = dynamic_cast<CPNEvent*>(element))
                events.Add(event);
        run.steps.emplace_back(Names(events), Names(simulation.CurrentCase()));
        return !watch.Cancelled();
    });
    watch.Finish();
    run.lines = lines.Lines();
    run.breakpoint =
        std::find(run.lines.begin(), run.lines.end(), "Breakpoint reached") != run.lines.end();
    // What the session told of unreachable breakpoints: the run went on.
    run.notes = m_session.Take();
    return run;
}

CScriptGraph CScriptNet::OccurrenceNet() {
    CZerinDoc& doc = m_session.Doc();
    CLineRecorder quiet;
    doc.NameForOutput(CZerinDoc::DIAGRAM_OCCURRENCE_NET);
    CScriptGraph graph;
    std::map<const CPNElement*, int> index;
    const COccurrenceNet& net = doc.OccurrenceNet();
    for (const CPNElement* element : net.m_listElements) {
        if (const auto* place = dynamic_cast<const CPNPlace*>(element)) {
            index[element] = static_cast<int>(graph.names.size());
            graph.names.push_back(place->m_strName);
            graph.members.push_back({place->m_pCondition
                                         ? CNetDesign::NameLabelOf(place->m_pCondition)->m_strText
                                         : std::string()});
            graph.kinds.push_back(0);
        } else if (const auto* occurrence = dynamic_cast<const CPNOccurrence*>(element)) {
            index[element] = static_cast<int>(graph.names.size());
            graph.names.push_back(occurrence->m_strName);
            graph.members.push_back({occurrence->m_pEvent
                                         ? CNetDesign::NameLabelOf(occurrence->m_pEvent)->m_strText
                                         : std::string()});
            graph.kinds.push_back(1);
        }
    }
    for (const CPNElement* element : net.m_listElements)
        if (const auto* edge = dynamic_cast<const CPNEdge*>(element))
            if (index.count(edge->m_pFrom) && index.count(edge->m_pTo))
                graph.arcs.emplace_back(index[edge->m_pFrom], index[edge->m_pTo], -1);
    return graph;
}
