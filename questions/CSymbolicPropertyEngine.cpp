#include "questions/CSymbolicPropertyEngine.h"

#include "engines/CSymbolicEngine.h"
#include "engines/ECaseGraphResult.h"
#include "model/CNetStructure.h"
#include "properties/CCheckContext.h"

#include <new>
#include <stdexcept>

namespace {

using EKind = CFormula::EKind;

// State formulas of conditions, fireable and deadlock, and CTL over them.
bool Supported(const CFormula& f) {
    switch (f.Kind()) {
    case EKind::Compare:
    case EKind::Bound:
    case EKind::PathA:
    case EKind::PathE:
    case EKind::Next:
    case EKind::Finally:
    case EKind::Globally:
    case EKind::Until:
        return false;
    default:
        break;
    }
    for (const FormulaPtr& operand : f.Operands())
        if (!Supported(*operand))
            return false;
    return true;
}

// The operators whose runs are lassos or maximal runs, which the diagrams do not give.
bool NeedsLasso(const CFormula& f) {
    return f.Kind() == EKind::EG || f.Kind() == EKind::AF || f.Kind() == EKind::AU;
}

} // namespace

CSymbolicPropertyEngine::CSymbolicPropertyEngine(const CNetStructure& net,
                                                 std::shared_ptr<CSymbolicEngine> engine)
    : m_net(net), m_pEngine(std::move(engine)) {
    m_reach = m_pEngine->ForwardSet();
    CCaseSet live;
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
        live = live | m_pEngine->WithConcession(e);
    m_deadlocks = m_reach - live;
}

CSymbolicPropertyEngine::~CSymbolicPropertyEngine() {
    // The sets go before the engine that owns their diagrams.
    m_mapSets.clear();
    m_reach = {};
    m_deadlocks = {};
}

std::unique_ptr<CSymbolicPropertyEngine>
CSymbolicPropertyEngine::Make(const CNetStructure& net, long long memoryLimit,
                              const WorkProgress& progress) {
    const CaseGraphProgress told = [&progress](int cases, int) {
        return !progress || progress(static_cast<std::size_t>(cases), 0);
    };
    std::shared_ptr<CSymbolicEngine> engine = CSymbolicEngine::Make(net, memoryLimit, told);
    if (!engine)
        return nullptr;
    try {
        return std::make_unique<CSymbolicPropertyEngine>(net, std::move(engine));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<CSymbolicPropertyEngine> CSymbolicPropertyEngine::RunsOnly() const {
    auto door = std::make_unique<CSymbolicPropertyEngine>(m_net, m_pEngine);
    door->m_bRunsOnly = true;
    return door;
}

std::string CSymbolicPropertyEngine::ForwardCount() {
    return m_pEngine->Count(m_reach);
}

unsigned CSymbolicPropertyEngine::Techniques() const {
    return kDecisionDiagrams;
}

bool CSymbolicPropertyEngine::Accepts(const CFormula& formula) const {
    return Supported(formula) && !(m_bRunsOnly && formula.Contains(NeedsLasso));
}

void CSymbolicPropertyEngine::Check(const std::vector<const CProperty*>& properties,
                                    CCheckContext& context,
                                    const std::vector<CPropertyResult*>& results) {
    // The sets are kept by formula node for this batch only: a node of a later batch may
    // take the place of one freed.
    m_mapSets.clear();
    const CCaseSet initial = m_pEngine->InitialSet();
    for (std::size_t i = 0; i < properties.size(); ++i) {
        CPropertyResult& result = *results[i];
        try {
            const CFormula& f = *properties[i]->formula;
            const bool holds = !(Of(f, context) & initial).IsEmpty();
            result.verdict = holds ? EVerdict::True : EVerdict::False;
            result.techniques = Techniques();
            result.seconds = context.Budget().Elapsed();
            result.run = Explain(f, holds, context);
            result.seconds = context.Budget().Elapsed();
        } catch (const std::bad_alloc&) {
            throw CCheckStopped{EStopReason::MemoryLimit};
        }
    }
}

std::optional<CRun> CSymbolicPropertyEngine::Explain(const CFormula& f, bool want,
                                                     CCheckContext& context) {
    m_trace = {};
    m_trace.cases.push_back(m_net.InitialCase());
    if (!Extend(f, want, context))
        return std::nullopt;
    if (m_pEngine->Contains(m_deadlocks, m_trace.cases.back()))
        m_trace.end = CRun::EEnd::Deadlock;
    return std::move(m_trace);
}

bool CSymbolicPropertyEngine::PathTo(const CCaseSet& target, const CCaseSet* within,
                                     CCheckContext& context) {
    const auto tick = [&context] { context.Budget().Check(0); };
    // From the initial case through any case: the engine's kept rings serve each target.
    const std::optional<CSymbolicEngine::CEventRun> run =
        m_trace.events.empty() && !within
            ? m_pEngine->RunTo(target, tick)
            : m_pEngine->RunFrom(m_trace.cases.back(), target, within, tick);
    if (!run)
        return false;
    m_trace.events.insert(m_trace.events.end(), run->events.begin(), run->events.end());
    m_trace.cases.insert(m_trace.cases.end(), run->cases.begin() + 1, run->cases.end());
    return true;
}

bool CSymbolicPropertyEngine::Extend(const CFormula& f, bool want, CCheckContext& context) {
    const auto holds = [&](const CFormula& g) {
        return m_pEngine->Contains(Of(g, context), m_trace.cases.back());
    };
    switch (f.Kind()) {
    case EKind::Not:
        return Extend(*f.Operand(), !want, context);
    case EKind::And:
    case EKind::Or:
        if (want == (f.Kind() == EKind::And))
            return false;
        for (const FormulaPtr& g : f.Operands())
            if (holds(*g) == want && Extend(*g, want, context))
                return true;
        return false;
    case EKind::Implies:
        if (!want)
            return false;
        if (!holds(*f.Operand(0)) && Extend(*f.Operand(0), false, context))
            return true;
        return holds(*f.Operand(1)) && Extend(*f.Operand(1), true, context);
    case EKind::EX:
    case EKind::AX: {
        if (want != (f.Kind() == EKind::EX))
            return false;
        const CCaseSet here = m_pEngine->CaseSet(m_trace.cases.back());
        const CCaseSet& p = Of(*f.Operand(), context);
        for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e) {
            const CCaseSet next = m_pEngine->Image(here, e);
            if (next.IsEmpty() || (next & p).IsEmpty() == want)
                continue;
            m_trace.events.push_back(e);
            m_trace.cases.push_back(*m_pEngine->OneCase(next));
            Extend(*f.Operand(), want, context);
            return true;
        }
        return false;
    }
    case EKind::EF:
    case EKind::AG: {
        if (want != (f.Kind() == EKind::EF))
            return false;
        const CCaseSet& p = Of(*f.Operand(), context);
        if (!PathTo(want ? p : m_reach - p, nullptr, context))
            return false;
        Extend(*f.Operand(), want, context);
        return true;
    }
    case EKind::EU:
        return want && PathTo(Of(*f.Operand(1), context), &Of(*f.Operand(0), context), context);
    default:
        return false;
    }
}

const CCaseSet& CSymbolicPropertyEngine::Of(const CFormula& f, CCheckContext& context) {
    const auto it = m_mapSets.find(&f);
    if (it != m_mapSets.end())
        return it->second;
    CCaseSet set = Compute(f, context);
    return m_mapSets.emplace(&f, std::move(set)).first->second;
}

CCaseSet CSymbolicPropertyEngine::ExistsNext(const CCaseSet& s) {
    return m_pEngine->Predecessors(s) & m_reach;
}

// The cases with a maximal run on which s holds throughout: the greatest set Z within s
// whose cases have a successor in Z or none at all.
CCaseSet CSymbolicPropertyEngine::ExistsGlobally(const CCaseSet& s, CCheckContext& context) {
    CCaseSet z = s;
    for (;;) {
        context.Budget().Check(0);
        CCaseSet next = s & (ExistsNext(z) | m_deadlocks);
        if (next == z)
            return z;
        z = std::move(next);
    }
}

CCaseSet CSymbolicPropertyEngine::Compute(const CFormula& f, CCheckContext& context) {
    const auto operand = [&](std::size_t k) -> const CCaseSet& {
        return Of(*f.Operand(k), context);
    };
    switch (f.Kind()) {
    case EKind::True:
        return m_reach;
    case EKind::False:
        return {};
    case EKind::Condition:
        return m_pEngine->Holding(f.Elements()[0]) & m_reach;
    case EKind::Fireable: {
        CCaseSet any;
        for (int e : f.Elements())
            any = any | m_pEngine->WithConcession(e);
        return any & m_reach;
    }
    case EKind::Deadlock:
        return m_deadlocks;
    case EKind::Not:
        return m_reach - operand(0);
    case EKind::And:
    case EKind::Or: {
        CCaseSet set = operand(0);
        for (std::size_t k = 1; k < f.Operands().size(); ++k)
            set = f.Kind() == EKind::And ? set & operand(k) : set | operand(k);
        return set;
    }
    case EKind::Implies:
        return (m_reach - operand(0)) | operand(1);
    case EKind::Iff:
        return (operand(0) & operand(1)) | (m_reach - (operand(0) | operand(1)));
    case EKind::EX:
        return ExistsNext(operand(0));
    case EKind::AX:
        return m_reach - ExistsNext(m_reach - operand(0));
    case EKind::EF:
        return m_pEngine->Reaching(operand(0)) & m_reach;
    case EKind::AG:
        return m_reach - m_pEngine->Reaching(m_reach - operand(0));
    case EKind::EU:
        return m_pEngine->ReachingWithin(operand(1), operand(0)) & m_reach;
    case EKind::EG:
        return ExistsGlobally(operand(0), context);
    case EKind::AF:
        return m_reach - ExistsGlobally(m_reach - operand(0), context);
    case EKind::AU: {
        // Every maximal run reaches q with p before it: no run keeps !q to a case of
        // !p & !q, and none keeps !q for ever.
        const CCaseSet notQ = m_reach - operand(1);
        const CCaseSet neither = notQ - operand(0);
        return m_reach - ((m_pEngine->ReachingWithin(neither, notQ) & m_reach) |
                          ExistsGlobally(notQ, context));
    }
    default:
        throw std::logic_error("a formula the decision diagrams do not decide");
    }
}
