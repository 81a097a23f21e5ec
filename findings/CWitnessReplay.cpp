#include "findings/CWitnessReplay.h"

#include "base/OutputWriter.h"
#include "document/CAutomaticRun.h"
#include "document/CCaseGraphEditor.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "model/CNetStructure.h"
#include "model/CPNEvent.h"

namespace {

// Silences the panes while it lives.
class CQuietPanes {
public:
    CQuietPanes() : m_pSink(SetOutputSink(nullptr)) {}
    ~CQuietPanes() { SetOutputSink(m_pSink); }
    CQuietPanes(const CQuietPanes&) = delete;
    CQuietPanes& operator=(const CQuietPanes&) = delete;

private:
    COutputSink* m_pSink;
};

} // namespace

CWitnessReplay::CWitnessReplay(CZerinDoc& doc, const CNetStructure& net, const CRun& run)
    : m_doc(doc), m_bLasso(run.end == CRun::EEnd::Loop && run.loopStart < run.events.size()),
      m_bDeadlock(run.end == CRun::EEnd::Deadlock), m_nLoopStart(m_bLasso ? run.loopStart : 0) {
    const auto& conditions = net.Conditions();
    const auto& events = net.Events();
    m_bFits = run.cases.size() == run.events.size() + 1;
    for (const int e : run.events) {
        if (e < 0 || static_cast<std::size_t>(e) >= events.size()) {
            m_bFits = false;
            break;
        }
        m_arrEvents.push_back(events[static_cast<std::size_t>(e)]);
    }
    for (const std::vector<int>& c : run.cases) {
        CSetConditions held;
        for (const int condition : c) {
            if (condition < 0 || static_cast<std::size_t>(condition) >= conditions.size()) {
                m_bFits = false;
                break;
            }
            held.Add(conditions[static_cast<std::size_t>(condition)]);
        }
        m_arrCases.push_back(std::move(held));
    }
    if (!m_bFits) {
        m_arrEvents.clear();
        m_arrCases.assign(1, CSetConditions());
    }
}

std::size_t CWitnessReplay::Wrapped(std::size_t k) const {
    if (!m_bLasso || k < Length())
        return k;
    return m_nLoopStart + (k - m_nLoopStart) % (Length() - m_nLoopStart);
}

CPNEvent* CWitnessReplay::EventAt(std::size_t k) const {
    const std::size_t at = Wrapped(k);
    return at < m_arrEvents.size() ? m_arrEvents[at] : nullptr;
}

const CSetConditions& CWitnessReplay::CaseAfter(std::size_t k) const {
    // Round the loop, the case after the loop's last event is its first case again.
    if (m_bLasso && k > Length())
        return m_arrCases[Wrapped(k - 1) + 1];
    return m_arrCases[std::min(k, m_arrCases.size() - 1)];
}

bool CWitnessReplay::Begin() {
    CSimulation& simulation = m_doc.Simulation();
    if (!m_bFits || !simulation.IsActive() || !simulation.InitialCase().IsEqual(m_arrCases.front()))
        return false;
    m_doc.Selection().Clear();
    simulation.SetCase(simulation.InitialCase());
    simulation.RefreshCase();
    simulation.ShowCurrentCase();
    m_nPosition = 0;
    return true;
}

bool CWitnessReplay::Forward(const std::function<int()>& fire) {
    CSimulation& simulation = m_doc.Simulation();
    if (!CanForward() || !simulation.IsActive() ||
        !simulation.CurrentCase().IsEqual(CaseAfter(m_nPosition)))
        return false;
    m_doc.Selection().Clear();
    m_doc.Selection().Append(EventAt(m_nPosition));
    if (!simulation.CheckStep(true)) {
        m_doc.Selection().Clear();
        return false;
    }
    if (fire() != CAutomaticRun::STEP_FINISHED)
        return false;
    ++m_nPosition;
    simulation.ShowCurrentCase();
    return simulation.CurrentCase().IsEqual(CaseAfter(m_nPosition));
}

bool CWitnessReplay::FireQuietly(std::size_t k) {
    CSimulation& simulation = m_doc.Simulation();
    m_doc.Selection().Clear();
    m_doc.Selection().Append(EventAt(k));
    if (!simulation.CheckStep(false)) {
        m_doc.Selection().Clear();
        return false;
    }
    CAutomaticRun::ExecuteStepWithoutAnimation(m_doc);
    return simulation.CurrentCase().IsEqual(CaseAfter(k + 1));
}

bool CWitnessReplay::GoTo(std::size_t k) {
    if (!m_bFits || (!m_bLasso && k > Length()))
        return false;
    {
        const CQuietPanes quiet;
        if (!Begin())
            return false;
        for (std::size_t i = 0; i < k; ++i) {
            if (!FireQuietly(i))
                return false;
            m_nPosition = i + 1;
        }
    }
    m_doc.Simulation().ShowCurrentCase();
    WriteOutput(PANE_SIMULATION, Describe());
    return true;
}

bool CWitnessReplay::Back() {
    return CanBack() && GoTo(m_nPosition - 1);
}

CCaseRun CWitnessReplay::AsCaseRun() const {
    CCaseRun run;
    run.from = m_arrCases.front();
    run.to = m_arrCases.back();
    run.found = m_bFits;
    for (std::size_t k = 0; k < m_arrEvents.size(); ++k) {
        CCaseRun::Step step;
        step.events.Add(m_arrEvents[k]);
        step.to = m_arrCases[k + 1];
        run.steps.push_back(std::move(step));
    }
    return run;
}

std::vector<std::uint32_t> CWitnessReplay::MarkInCaseGraph() const {
    CCaseEngine* engine = m_doc.Simulation().Engine();
    CCaseGraphEditor& editor = m_doc.CaseGraphEditor();
    const std::vector<const CPNElement*> elements =
        m_bFits && engine ? editor.PathElements(AsCaseRun()) : std::vector<const CPNElement*>();
    if (elements.empty()) {
        editor.MarkPath({});
        return {};
    }
    // Case, step, case, ...: the loop begins at the case of its first step.
    const std::size_t split = m_bLasso ? 2 * m_nLoopStart : elements.size();
    editor.MarkPath({elements.begin(), elements.begin() + static_cast<std::ptrdiff_t>(split)},
                    {elements.begin() + static_cast<std::ptrdiff_t>(split), elements.end()});
    std::vector<std::uint32_t> cases;
    for (const CSetConditions& c : m_arrCases)
        cases.push_back(static_cast<std::uint32_t>(engine->IndexOf(c)));
    return cases;
}

std::string CWitnessReplay::Describe() const {
    std::string text = "Witness: step " + std::to_string(m_nPosition) + " of " +
                       std::to_string(Length()) + ", case " +
                       CaseAfter(m_nPosition).ToString(false);
    if (m_bLasso && m_nPosition >= m_nLoopStart)
        text += ", in the loop (from step " + std::to_string(m_nLoopStart) + ")";
    else if (m_bDeadlock && m_nPosition == Length())
        text += ", where no event has concession";
    return text;
}
