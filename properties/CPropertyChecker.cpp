#include "properties/CPropertyChecker.h"

#include "model/CNetStructure.h"
#include "properties/CCheckContext.h"
#include "properties/CCompactNet.h"
#include "properties/CCtlEngine.h"
#include "properties/CLivenessCheck.h"
#include "properties/CLtlEngine.h"
#include "properties/COnTheFlyEngine.h"
#include "properties/CStateEquationEngine.h"
#include "properties/ReachabilityShape.h"

#include <algorithm>

namespace {

using EKind = CFormula::EKind;

// Whether the formula needs the steps kept: anything but a reachability question.
bool NeedsSteps(const CFormula& f) {
    return f.Kind() != EKind::Bound && !ReachabilityShape::Accepts(f);
}

} // namespace

CPropertyChecker::CPropertyChecker(const CNetStructure& net)
    : m_net(net), m_pCompact(std::make_unique<CCompactNet>(net)) {
    m_arrEngines.push_back(std::make_unique<COnTheFlyEngine>());
    m_arrEngines.push_back(std::make_unique<CCtlEngine>());
    m_arrEngines.push_back(std::make_unique<CLtlEngine>());
}

CPropertyChecker::~CPropertyChecker() = default;

void CPropertyChecker::SetStateEquation(StateEquationProof proof) {
    m_pStateEquation =
        proof ? std::make_unique<CStateEquationEngine>(m_net, std::move(proof)) : nullptr;
}

void CPropertyChecker::AddEngine(std::unique_ptr<CPropertyEngine> engine, bool first) {
    m_arrEngines.insert(first ? m_arrEngines.begin() : m_arrEngines.end(), std::move(engine));
}

std::vector<CPropertyEngine*> CPropertyChecker::Chain() const {
    std::vector<CPropertyEngine*> chain;
    if (m_pStateEquation)
        chain.push_back(m_pStateEquation.get());
    for (const auto& engine : m_arrEngines)
        chain.push_back(engine.get());
    if (m_engine)
        chain.erase(std::remove_if(chain.begin(), chain.end(),
                                   [&](CPropertyEngine* e) { return e->Kind() != *m_engine; }),
                    chain.end());
    return chain;
}

void CPropertyChecker::RunChain(const std::vector<CProperty>& properties,
                                std::vector<CPropertyResult>& results,
                                const std::vector<CPropertyEngine*>& chain,
                                const CCheckLimits& limits) {
    CCheckBudget budget(limits);
    const bool keepSteps = std::any_of(properties.begin(), properties.end(),
                                       [](const CProperty& p) { return NeedsSteps(*p.formula); });
    auto context = std::make_unique<CCheckContext>(m_net, *m_pCompact, budget, keepSteps);
    std::vector<bool> accepted(properties.size(), false);
    for (CPropertyEngine* engine : chain) {
        std::vector<const CProperty*> batch;
        std::vector<CPropertyResult*> answers;
        for (std::size_t i = 0; i < properties.size(); ++i)
            if (results[i].verdict == EVerdict::CannotCompute &&
                engine->Accepts(*properties[i].formula)) {
                batch.push_back(&properties[i]);
                answers.push_back(&results[i]);
                accepted[i] = true;
            }
        if (batch.empty())
            continue;
        try {
            engine->Check(batch, *context, answers);
        } catch (const CCheckStopped& stopped) {
            for (CPropertyResult* r : answers)
                if (r->verdict == EVerdict::CannotCompute) {
                    r->reason = stopped.reason;
                    r->seconds = budget.Elapsed();
                }
            // Out of memory, the next engine may still manage with its own means; out of
            // time or cancelled, nothing more is tried.
            if (stopped.reason != EStopReason::MemoryLimit)
                return;
            context = std::make_unique<CCheckContext>(m_net, *m_pCompact, budget, keepSteps);
        }
    }
    for (std::size_t i = 0; i < properties.size(); ++i)
        if (results[i].verdict == EVerdict::CannotCompute && results[i].reason == EStopReason::None)
            results[i].reason = accepted[i] ? EStopReason::Inconclusive : EStopReason::Unsupported;
}

std::vector<CPropertyResult> CPropertyChecker::Check(const std::vector<CProperty>& properties,
                                                     const CCheckLimits& limits) {
    std::vector<CPropertyResult> results(properties.size());
    for (std::size_t i = 0; i < properties.size(); ++i)
        results[i].id = properties[i].id;
    RunChain(properties, results, Chain(), limits);
    return results;
}

CPropertyResult CPropertyChecker::Check(const CProperty& property, const CCheckLimits& limits) {
    return Check(std::vector<CProperty>{property}, limits).front();
}

CPropertyResult CPropertyChecker::Combine(EExamination examination,
                                          const std::vector<CPropertyResult>& parts,
                                          bool any) const {
    // any: TRUE when one part is (StableMarking); otherwise TRUE when all are.
    CPropertyResult result;
    result.id = Examinations::Name(examination);
    bool undecided = false, decided = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const CPropertyResult& part = parts[i];
        result.seconds = std::max(result.seconds, part.seconds);
        if (part.verdict == EVerdict::CannotCompute) {
            undecided = true;
            result.reason = part.reason;
            continue;
        }
        if ((part.verdict == EVerdict::True) == any) {
            decided = true;
            result.techniques |= part.techniques;
            (any ? result.conditions : result.events).push_back(static_cast<int>(i));
        }
    }
    if (decided) {
        result.verdict = any ? EVerdict::True : EVerdict::False;
        result.reason = EStopReason::None;
    } else if (!undecided) {
        result.verdict = any ? EVerdict::False : EVerdict::True;
        for (const CPropertyResult& part : parts)
            result.techniques |= part.techniques;
    }
    return result;
}

CPropertyResult CPropertyChecker::CheckGlobal(EExamination examination,
                                              const CCheckLimits& limits) {
    const int events = static_cast<int>(m_net.EventCount());
    const auto fireable = [&]() {
        std::vector<CProperty> properties;
        for (int e = 0; e < events; ++e)
            properties.push_back(
                {m_net.EventName(e), CFormula::Ctl(EKind::EF, CFormula::Fireable({e}))});
        return properties;
    };
    switch (examination) {
    case EExamination::ReachabilityDeadlock: {
        CPropertyResult result =
            Check(CProperty{"", CFormula::Ctl(EKind::EF, CFormula::Deadlock())}, limits);
        result.id = Examinations::Name(examination);
        return result;
    }
    case EExamination::QuasiLiveness:
    case EExamination::Liveness: {
        // An event the state equation shows never to get concession answers both at once.
        const std::vector<CProperty> properties = fireable();
        if (m_pStateEquation && (!m_engine || *m_engine == EEngine::StateEquation)) {
            std::vector<CPropertyResult> proved(properties.size());
            RunChain(properties, proved, {m_pStateEquation.get()}, limits);
            CPropertyResult dead = Combine(examination, proved, false);
            if (dead.verdict == EVerdict::False)
                return dead;
        }
        if (examination == EExamination::QuasiLiveness)
            return Combine(examination, Check(properties, limits), false);
        CPropertyResult result;
        result.id = Examinations::Name(examination);
        if (!m_engine || *m_engine == EEngine::Ctl || *m_engine == EEngine::OnTheFly) {
            CCheckBudget budget(limits);
            CCheckContext context(m_net, *m_pCompact, budget, true);
            try {
                CLivenessCheck::Check(context, result);
                result.techniques = kExplicit | kSequential | kStateCompression;
            } catch (const CCheckStopped& stopped) {
                result.reason = stopped.reason;
            }
            result.seconds = budget.Elapsed();
            if (result.reason != EStopReason::MemoryLimit)
                return result;
        }
        // Where the graph does not fit, or another engine is chosen, Liveness is the CTL
        // formula AG EF fireable(e) for every event.
        std::vector<FormulaPtr> live;
        for (int e = 0; e < events; ++e)
            live.push_back(
                CFormula::Ctl(EKind::AG, CFormula::Ctl(EKind::EF, CFormula::Fireable({e}))));
        result =
            Check(CProperty{"", live.empty() ? CFormula::True() : CFormula::And(live)}, limits);
        result.id = Examinations::Name(examination);
        return result;
    }
    case EExamination::StableMarking: {
        std::vector<CProperty> properties;
        for (int c = 0; c < static_cast<int>(m_net.ConditionCount()); ++c) {
            FormulaPtr holds = CFormula::Condition(c);
            properties.push_back(
                {m_net.ConditionName(c),
                 CFormula::Ctl(EKind::AG, m_net.Initial(c) ? holds : CFormula::Not(holds))});
        }
        return Combine(examination, Check(properties, limits), true);
    }
    case EExamination::OneSafe: {
        std::vector<FormulaPtr> contact;
        for (int e = 0; e < events; ++e) {
            const std::vector<int>& pre = m_net.Pre(e);
            std::vector<int> post;
            for (int c : m_net.Post(e))
                if (!std::binary_search(pre.begin(), pre.end(), c))
                    post.push_back(c);
            if (post.empty())
                continue;
            const long long size = static_cast<long long>(pre.size());
            contact.push_back(CFormula::And(
                {CFormula::Compare(CFormula::Term::Count(pre), CFormula::ECompare::GreaterEqual,
                                   CFormula::Term::Constant(size)),
                 CFormula::Compare(CFormula::Term::Count(post), CFormula::ECompare::GreaterEqual,
                                   CFormula::Term::Constant(1))}));
        }
        FormulaPtr any = contact.empty() ? CFormula::False() : CFormula::Or(contact);
        CPropertyResult result =
            Check(CProperty{"", CFormula::Ctl(EKind::AG, CFormula::Not(any))}, limits);
        result.id = Examinations::Name(examination);
        return result;
    }
    default: {
        CPropertyResult result;
        result.id = Examinations::Name(examination);
        result.reason = EStopReason::Unsupported;
        return result;
    }
    }
}
