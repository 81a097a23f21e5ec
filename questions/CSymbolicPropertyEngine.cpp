#include "questions/CSymbolicPropertyEngine.h"

#include "engines/CSymbolicEngine.h"
#include "engines/ECaseGraphResult.h"
#include "model/CNetStructure.h"
#include "model/CSetConditions.h"
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

CSetConditions InitialCase(const CNetStructure& net) {
    CSetConditions initial;
    for (int c = 0; c < static_cast<int>(net.ConditionCount()); ++c)
        if (net.Initial(c))
            initial.Add(net.Conditions()[static_cast<std::size_t>(c)]);
    return initial;
}

} // namespace

CSymbolicPropertyEngine::CSymbolicPropertyEngine(const CNetStructure& net,
                                                 std::unique_ptr<CSymbolicEngine> engine)
    : m_net(net), m_pEngine(std::move(engine)) {
    m_reach = m_pEngine->ForwardSet();
    CCaseSet live;
    for (const CPNEvent* event : m_net.Events())
        live = live | m_pEngine->WithConcession(*event);
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
    if (net.Conditions().size() != net.ConditionCount() ||
        net.Events().size() != net.EventCount() || net.EventCount() == 0)
        return nullptr;
    try {
        auto engine = std::make_unique<CSymbolicEngine>(net.Events(), InitialCase(net));
        const CaseGraphProgress told = [&progress](int cases, int) {
            return !progress || progress(static_cast<std::size_t>(cases), 0);
        };
        if (engine->Run(told, memoryLimit) != ECaseGraphResult::Completed)
            return nullptr;
        return std::make_unique<CSymbolicPropertyEngine>(net, std::move(engine));
    } catch (const std::logic_error&) {
        return nullptr; // the library serves another analysis of the process
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::string CSymbolicPropertyEngine::ForwardCount() {
    return m_pEngine->Count(m_reach);
}

unsigned CSymbolicPropertyEngine::Techniques() const {
    return kDecisionDiagrams;
}

bool CSymbolicPropertyEngine::Accepts(const CFormula& formula) const {
    return Supported(formula);
}

void CSymbolicPropertyEngine::Check(const std::vector<const CProperty*>& properties,
                                    CCheckContext& context,
                                    const std::vector<CPropertyResult*>& results) {
    // The sets are kept by formula node for this batch only: a node of a later batch may
    // take the place of one freed.
    m_mapSets.clear();
    const CSetConditions initial = InitialCase(m_net);
    for (std::size_t i = 0; i < properties.size(); ++i) {
        try {
            const bool holds = m_pEngine->Contains(Of(*properties[i]->formula, context), initial);
            results[i]->verdict = holds ? EVerdict::True : EVerdict::False;
            results[i]->techniques = Techniques();
            results[i]->seconds = context.Budget().Elapsed();
        } catch (const std::bad_alloc&) {
            throw CCheckStopped{EStopReason::MemoryLimit};
        }
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
        return m_pEngine->Holding(*m_net.Conditions()[static_cast<std::size_t>(f.Elements()[0])]) &
               m_reach;
    case EKind::Fireable: {
        CCaseSet any;
        for (int e : f.Elements())
            any = any | m_pEngine->WithConcession(*m_net.Events()[static_cast<std::size_t>(e)]);
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
