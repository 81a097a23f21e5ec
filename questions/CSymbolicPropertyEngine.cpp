#include "questions/CSymbolicPropertyEngine.h"

#include "engines/CSymbolicEngine.h"
#include "engines/ECaseGraphResult.h"
#include "model/CNetStructure.h"
#include "properties/CCheckContext.h"
#include "properties/CLtlTranslator.h"

#include <algorithm>
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
    return f.Kind() == EKind::EG || f.Kind() == EKind::AF || f.Kind() == EKind::AU ||
           f.Kind() == EKind::PathA || f.Kind() == EKind::PathE;
}

bool OutsideLtl(const CFormula& f) {
    return f.IsCtlOperator() || f.Kind() == EKind::PathA || f.Kind() == EKind::PathE ||
           f.Kind() == EKind::Bound || f.Kind() == EKind::Compare;
}

// A or E around a path formula of conditions, fireable and deadlock (under negations);
// the quantifier, or null for another formula.
const CFormula* LtlQuantifier(const CFormula& formula) {
    const CFormula* f = &formula;
    while (f->Kind() == EKind::Not)
        f = f->Operand().get();
    if (f->Kind() != EKind::PathA && f->Kind() != EKind::PathE)
        return nullptr;
    return f->Operand()->Contains(OutsideLtl) ? nullptr : f;
}

} // namespace

CSymbolicPropertyEngine::CSymbolicPropertyEngine(const CNetStructure& net,
                                                 std::shared_ptr<CSymbolicEngine> engine)
    : m_net(net), m_pEngine(std::move(engine)) {
    m_reach = m_pEngine->ForwardSet();
}

const CCaseSet& CSymbolicPropertyEngine::Deadlocks() {
    // Within the cases reached: the union of every event's concession over all
    // assignments may be far larger than any set of cases (the queens).
    if (!m_pDeadlocks) {
        CCaseSet dead = m_reach;
        for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
            dead = dead - m_pEngine->WithConcession(e);
        m_pDeadlocks = std::move(dead);
    }
    return *m_pDeadlocks;
}

CSymbolicPropertyEngine::~CSymbolicPropertyEngine() {
    // The sets go before the engine that owns their diagrams.
    m_mapSets.clear();
    m_reach = {};
    m_pDeadlocks.reset();
}

std::unique_ptr<CSymbolicPropertyEngine>
CSymbolicPropertyEngine::Make(const CNetStructure& net, long long memoryLimit,
                              const WorkProgress& progress) {
    // The engine keeps what it is told for later work; the caller's progress is for this
    // call only.
    const auto current = std::make_shared<const WorkProgress*>(&progress);
    const CaseGraphProgress told = [current](int cases, int) {
        const WorkProgress* p = *current;
        return !p || !*p || (*p)(static_cast<std::size_t>(cases), 0);
    };
    std::shared_ptr<CSymbolicEngine> engine = CSymbolicEngine::Make(net, memoryLimit, told);
    *current = nullptr;
    if (!engine)
        return nullptr;
    try {
        return std::make_unique<CSymbolicPropertyEngine>(net, std::move(engine));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<CSymbolicPropertyEngine> CSymbolicPropertyEngine::Door(ETakes takes) const {
    auto door = std::make_unique<CSymbolicPropertyEngine>(m_net, m_pEngine);
    door->m_eTakes = takes;
    return door;
}

std::string CSymbolicPropertyEngine::ForwardCount() {
    return m_pEngine->Count(m_reach);
}

unsigned CSymbolicPropertyEngine::Techniques() const {
    return kDecisionDiagrams;
}

bool CSymbolicPropertyEngine::Accepts(const CFormula& formula) const {
    if (m_eTakes == ETakes::WithRuns && formula.Contains(NeedsLasso))
        return false;
    return Supported(formula) || (m_eTakes == ETakes::All && LtlQuantifier(formula));
}

void CSymbolicPropertyEngine::Check(const std::vector<const CProperty*>& properties,
                                    CCheckContext& context,
                                    const std::vector<CPropertyResult*>& results) {
    // The sets are kept by formula node for this batch only: a node of a later batch may
    // take the place of one freed.
    m_mapSets.clear();
    for (std::size_t i = 0; i < properties.size(); ++i) {
        CPropertyResult& result = *results[i];
        try {
            const CFormula& f = *properties[i]->formula;
            if (!Supported(f)) {
                CheckLtl(f, context, result);
                continue;
            }
            const bool holds = HoldsInitially(f, context);
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

bool CSymbolicPropertyEngine::HoldsInitially(const CFormula& f, CCheckContext& context) {
    // The initial case reaches every case of m_reach: EF p holds there when p holds in one
    // of them, without the cases from which p is reached (a backward fixpoint over every
    // assignment, far larger than the class for the queens).
    switch (f.Kind()) {
    case EKind::Not:
        return !HoldsInitially(*f.Operand(), context);
    case EKind::And:
    case EKind::Or:
        for (const FormulaPtr& g : f.Operands())
            if (HoldsInitially(*g, context) != (f.Kind() == EKind::And))
                return f.Kind() == EKind::Or;
        return f.Kind() == EKind::And;
    case EKind::EF:
        return !(Of(*f.Operand(), context) & m_reach).IsEmpty();
    case EKind::AG:
        return (m_reach - Of(*f.Operand(), context)).IsEmpty();
    default:
        return m_pEngine->Contains(Of(f, context), m_net.InitialCase());
    }
}

std::optional<CRun> CSymbolicPropertyEngine::Explain(const CFormula& f, bool want,
                                                     CCheckContext& context) {
    m_trace = {};
    m_trace.cases.push_back(m_net.InitialCase());
    m_pContext = &context;
    const bool shown = Extend(f, want);
    m_pContext = nullptr;
    if (!shown)
        return std::nullopt;
    const std::vector<int>& last = m_trace.cases.back();
    const auto held = [&last](int b) { return std::binary_search(last.begin(), last.end(), b); };
    bool dead = true;
    for (int e = 0; e < static_cast<int>(m_net.EventCount()) && dead; ++e)
        dead = !std::all_of(m_net.Pre(e).begin(), m_net.Pre(e).end(), held) ||
               std::any_of(m_net.Post(e).begin(), m_net.Post(e).end(), held);
    if (dead)
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

bool CSymbolicPropertyEngine::Shows(const CFormula& f, bool want) {
    return m_pEngine->Contains(Of(f, *m_pContext), m_trace.cases.back()) == want;
}

bool CSymbolicPropertyEngine::Step(const CFormula& f, bool want) {
    const CCaseSet here = m_pEngine->CaseSet(m_trace.cases.back());
    const CCaseSet& p = Of(*f.Operand(), *m_pContext);
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e) {
        const CCaseSet next = m_pEngine->Image(here, e);
        if (next.IsEmpty() || (next & p).IsEmpty() == want)
            continue;
        m_trace.events.push_back(e);
        m_trace.cases.push_back(*m_pEngine->OneCase(next));
        return true;
    }
    return false;
}

bool CSymbolicPropertyEngine::Reach(const CFormula& f, bool want) {
    const CCaseSet& p = Of(*f.Operand(), *m_pContext);
    return PathTo(want ? p : m_reach - p, nullptr, *m_pContext);
}

bool CSymbolicPropertyEngine::ReachUntil(const CFormula& f) {
    return PathTo(Of(*f.Operand(1), *m_pContext), &Of(*f.Operand(0), *m_pContext), *m_pContext);
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
        CCaseSet next = s & (ExistsNext(z) | Deadlocks());
        if (next == z)
            return z;
        z = std::move(next);
    }
}

void CSymbolicPropertyEngine::CheckLtl(const CFormula& formula, CCheckContext& context,
                                       CPropertyResult& result) {
    // A phi: a run of !phi refutes it; E phi: a run of phi proves it.
    const CFormula& f = *LtlQuantifier(formula);
    const bool all = f.Kind() == EKind::PathA;
    const auto automaton = CLtlTranslator::Translate(f.Operand(), all);
    if (!automaton) {
        result.reason = EStopReason::TooLarge;
        return;
    }
    const bool found = HasFairRun(*automaton, context);
    bool value = all ? !found : found;
    for (const CFormula* g = &formula; g != &f; g = g->Operand().get())
        value = !value;
    result.verdict = value ? EVerdict::True : EVerdict::False;
    result.techniques = Techniques() | kAutomata;
    result.seconds = context.Budget().Elapsed();
}

// The product of the cases and the automaton as one set of cases per automaton state:
// the cases paired with it, each matching its label. A case steps to the cases one event
// leads to, a case without concession to itself (the run stays there for ever), and the
// automaton along to a successor whose label the next case matches.
bool CSymbolicPropertyEngine::HasFairRun(const CBuchiAutomaton& automaton, CCheckContext& context) {
    using Sets = std::vector<CCaseSet>;
    const std::size_t n = automaton.states.size();
    Sets valid(n);
    for (std::size_t q = 0; q < n; ++q) {
        CCaseSet label = m_reach;
        for (std::size_t k = 0; k < automaton.atoms.size(); ++k) {
            const CCaseSet& atom = Of(*automaton.atoms[k], context);
            if ((automaton.states[q].must >> k) & 1u)
                label = label & atom;
            if ((automaton.states[q].mustNot >> k) & 1u)
                label = label - atom;
        }
        valid[q] = std::move(label);
    }
    // The product states with a step into z.
    const auto pre = [&](const Sets& z) {
        Sets into(n);
        for (std::size_t q = 0; q < n; ++q) {
            if (z[q].IsEmpty())
                continue;
            into[q] = m_pEngine->Predecessors(z[q]) | (z[q] & Deadlocks());
            context.Budget().Check(0);
        }
        Sets result(n);
        for (std::size_t q = 0; q < n; ++q)
            for (const int t : automaton.states[q].successors)
                result[q] = result[q] | (into[static_cast<std::size_t>(t)] & valid[q]);
        return result;
    };
    const auto meet = [n](const Sets& a, const Sets& b) {
        Sets result(n);
        for (std::size_t q = 0; q < n; ++q)
            result[q] = a[q] & b[q];
        return result;
    };
    // Emerson and Lei: the greatest set z of product states with a step into z that
    // reaches, within z, each acceptance set; the states of a fair cycle and those
    // leading to one.
    Sets z = valid;
    for (bool changed = true; changed;) {
        const Sets before = z;
        if (automaton.acceptanceSets == 0)
            z = meet(z, pre(z));
        for (int k = 0; k < automaton.acceptanceSets; ++k) {
            // The states of z that reach, within z, one of z in set k: breadth first
            // backward by the new states of each layer.
            Sets reached(n), layer(n);
            for (std::size_t q = 0; q < n; ++q)
                if ((automaton.states[q].accepting >> k) & 1u)
                    reached[q] = layer[q] = z[q];
            for (bool grew = true; grew;) {
                grew = false;
                const Sets back = meet(pre(layer), z);
                for (std::size_t q = 0; q < n; ++q) {
                    layer[q] = back[q] - reached[q];
                    reached[q] = reached[q] | layer[q];
                    grew = grew || !layer[q].IsEmpty();
                }
            }
            z = meet(z, pre(reached));
        }
        changed = z != before;
    }
    const CCaseSet initial = m_pEngine->InitialSet();
    for (std::size_t q = 0; q < n; ++q)
        if (automaton.states[q].initial && !(z[q] & initial).IsEmpty())
            return true;
    return false;
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
            any = any | (m_pEngine->WithConcession(e) & m_reach);
        return any;
    }
    case EKind::Deadlock:
        return Deadlocks();
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
