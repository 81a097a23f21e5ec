#include "python/CScriptNet.h"

#include "engines/CNodeAdjacency.h"
#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "python/CInterruptWatch.h"
#include "python/CLineRecorder.h"
#include "questions/CQuestionAsker.h"
#include "questions/CQuestionRegistry.h"

#include <algorithm>
#include <map>

namespace {

// What the session's engine choice is told a question needs.
CHeadlessSession::ENeeds NeedsOf(const CQuestion& question) {
    switch (question.Needs()) {
    case CQuestion::ENeeds::StoredGraph:
        return CHeadlessSession::ENeeds::StoredGraph;
    case CQuestion::ENeeds::ListedCases:
        return CHeadlessSession::ENeeds::Cases;
    default:
        return CHeadlessSession::ENeeds::Anything;
    }
}

} // namespace

std::pair<std::string, std::vector<std::string>> CScriptNet::ComputeCaseClass(
    const CEngineOptions& engine, int needs) {
    NewCaseClass();
    m_session.Take();
    if (!m_session.UseEngine(engine, static_cast<CHeadlessSession::ENeeds>(needs)))
        Fail(CScriptError::EKind::Engine);
    CLineRecorder quiet;
    CInterruptWatch watch(m_session.Frame());
    m_session.Frame().ClearLimitReached();
    CCaseEngine* computed = m_session.Analyse();
    watch.Finish();
    if (!computed)
        Fail(CScriptError::EKind::Limit);
    m_bStored = m_session.Doc().CaseGraph().HasAllSteps();
    return {computed->GetEngineName(), m_session.Take()};
}

CCaseEngine& CScriptNet::Engine(std::uint64_t stamp) {
    CCaseEngine* engine = m_session.Doc().Simulation().Engine();
    if (stamp != m_nStamp || !engine)
        throw CScriptError(CScriptError::EKind::General,
                           m_session.File() +
                               ": the case graph is out of date: its case class was computed "
                               "again or the net changed since");
    return *engine;
}

CCaseEngine& CScriptNet::EngineFor(CHeadlessSession::ENeeds needs, const CEngineOptions& engine,
                                   CInterruptWatch& watch) {
    CZerinDoc& doc = m_session.Doc();
    if (CCaseEngine* there = doc.Simulation().Engine()) {
        const bool serves = needs == CHeadlessSession::ENeeds::Anything ||
                            (needs == CHeadlessSession::ENeeds::Cases && there->ListsCases()) ||
                            (doc.CaseGraph().HasAllSteps() && !doc.CaseGraph().Cases().empty());
        if (serves)
            return *there;
    }
    NewCaseClass();
    if (!m_session.UseEngine(engine, needs))
        Fail(CScriptError::EKind::Engine);
    m_session.Frame().ClearLimitReached();
    CCaseEngine* computed = m_session.Analyse();
    if (!computed) {
        watch.Finish();
        Fail(CScriptError::EKind::Limit);
    }
    m_bStored = doc.CaseGraph().HasAllSteps();
    return *computed;
}

CScriptCase CScriptNet::CaseOf(std::uint64_t stamp, int index) {
    CCaseEngine& engine = Engine(stamp);
    if (!engine.ListsCases())
        throw CScriptError(CScriptError::EKind::Engine,
                           m_session.File() + ": the " + engine.GetEngineName() +
                               " engine does not list the cases one by one");
    if (index < 0 || index >= engine.CaseCount())
        throw CScriptError(CScriptError::EKind::Argument,
                           "no case " + std::to_string(index) + " of " +
                               std::to_string(engine.CaseCount()));
    return Names(engine.Case(index));
}

int CScriptNet::IndexOf(std::uint64_t stamp, const CScriptCase& c) {
    CCaseEngine& engine = Engine(stamp);
    if (!engine.ListsCases())
        throw CScriptError(CScriptError::EKind::Engine,
                           m_session.File() + ": the " + engine.GetEngineName() +
                               " engine does not list the cases one by one");
    return engine.IndexOf(CaseNamed(c));
}

std::vector<std::pair<std::vector<std::string>, int>> CScriptNet::StepsOf(std::uint64_t stamp,
                                                                          int index,
                                                                          bool forward) {
    CaseOf(stamp, index);
    std::vector<std::pair<std::vector<std::string>, int>> steps;
    Engine(stamp).ForEachStep(index, forward, [&](const CSetEvents& events, int target) {
        steps.emplace_back(Names(events), target);
    });
    return steps;
}

std::pair<std::string, std::vector<CScriptCase>> CScriptNet::Find(std::uint64_t stamp,
                                                                  const CScriptCase& wanted,
                                                                  const CScriptCase& unwanted,
                                                                  bool onlyReachable, int shown) {
    CCaseEngine& engine = Engine(stamp);
    std::vector<CPNCondition*> with, without;
    for (const std::string& name : wanted)
        with.push_back(&ConditionNamed(name));
    for (const std::string& name : unwanted)
        without.push_back(&ConditionNamed(name));
    CInterruptWatch watch(m_session.Frame());
    const CCaseSearchResult found =
        engine.Find(with, without, onlyReachable, static_cast<std::size_t>(std::max(shown, 0)));
    watch.Finish();
    std::vector<CScriptCase> cases;
    for (const CSetConditions& c : found.first)
        cases.push_back(Names(c));
    return {found.count, cases};
}

CScriptPath CScriptNet::PathOf(const CCaseRun& run) const {
    CScriptPath path{Names(run.from), Names(run.to), run.found, {}, run.Describe()};
    for (const CCaseRun::Step& step : run.steps)
        path.steps.emplace_back(Names(step.events), step.forward, Names(step.to));
    return path;
}

std::optional<CScriptPath> CScriptNet::PathTo(std::uint64_t stamp, const CScriptCase& to) {
    CCaseEngine& engine = Engine(stamp);
    const CSetConditions target = CaseNamed(to);
    CInterruptWatch watch(m_session.Frame());
    const std::optional<CCaseRun> run = engine.PathTo(target);
    watch.Finish();
    if (!run)
        return std::nullopt;
    return PathOf(*run);
}

std::vector<std::vector<int>> CScriptNet::Classes(std::uint64_t stamp) {
    CCaseEngine& engine = Engine(stamp);
    const CNodeAdjacency* successors = engine.ForwardAdjacency();
    if (!successors)
        throw CScriptError(CScriptError::EKind::Engine,
                           m_session.File() + ": the " + engine.GetEngineName() +
                               " engine does not list the cases one by one");
    // Cases that reach the same cases reach one another: a class is a strongly
    // connected component. In the order of their first cases.
    int count = 0;
    const std::vector<int> component = successors->StronglyConnectedComponents(count);
    std::vector<std::vector<int>> classes(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < component.size(); ++i)
        classes[static_cast<std::size_t>(component[i])].push_back(static_cast<int>(i));
    std::sort(classes.begin(), classes.end());
    return classes;
}

CScriptGraph CScriptNet::CaseGraph(std::uint64_t stamp) {
    // Only where the cases are listed.
    CaseOf(stamp, 0);
    CCaseEngine& engine = Engine(stamp);
    const int n = engine.CaseCount();
    CScriptGraph graph;
    std::map<std::vector<const CPNEvent*>, int> sets;
    CInterruptWatch watch(m_session.Frame());
    for (int i = 0; i < n && !watch.Cancelled(); ++i) {
        graph.names.push_back("c" + std::to_string(i + 1));
        graph.members.push_back(Names(engine.Case(i)));
        graph.kinds.push_back(i == 0 ? 1 : 0);
        engine.ForEachStep(i, true, [&](const CSetEvents& events, int target) {
            const std::vector<const CPNEvent*> key(events.begin(), events.end());
            auto [at, added] = sets.emplace(key, static_cast<int>(graph.eventSets.size()));
            if (added)
                graph.eventSets.push_back(Names(events));
            graph.arcs.emplace_back(i, target, at->second);
        });
    }
    watch.Finish();
    return graph;
}

void CScriptNet::LayOutCaseGraph(std::uint64_t stamp) {
    Engine(stamp);
    CZerinDoc& doc = m_session.Doc();
    const ::CCaseGraph& graph = doc.CaseGraph();
    if (!graph.HasAllSteps() || graph.Cases().empty())
        throw CScriptError(CScriptError::EKind::Engine,
                           m_session.File() + ": this needs the stored case graph (engine "
                                              "'explicit' or 'auto')");
    if (doc.Record().caseGraphLaidOut && graph.IsLaidOut())
        return;
    CLineRecorder quiet;
    doc.NameForOutput(CZerinDoc::DIAGRAM_CASE_GRAPH);
    m_session.LayOutCaseGraph();
}

CAnswer CScriptNet::Ask(const std::string& id, const CQuestionArgs& args,
                        std::optional<std::uint64_t> stamp) {
    const CQuestion* question = Questions().Find(id);
    if (!question)
        throw CScriptError(CScriptError::EKind::Argument, "no question is named '" + id + "'");
    CZerinDoc& doc = m_session.Doc();
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    if (const std::string wrong = question->CheckArguments(net, args); !wrong.empty())
        throw CScriptError(CScriptError::EKind::Argument, m_session.File() + ": " + wrong);
    CLineRecorder quiet;
    CInterruptWatch watch(m_session.Frame());
    CCaseEngine* engine = nullptr;
    if (!question->NeedsOnlyTheNet())
        engine = stamp ? &Engine(*stamp) : &EngineFor(NeedsOf(*question), CEngineOptions(), watch);
    if (question->UsesCaseNames())
        doc.NameForOutput(CZerinDoc::DIAGRAM_CASE_GRAPH);
    const CQuestionContext context{net, &doc, engine, args, watch.Progress(), m_session.File()};
    CAnswer answer = CQuestionAsker::Ask(*question, context);
    watch.Finish();
    return answer;
}
