#include "properties/COnTheFlyEngine.h"

#include "properties/CCheckContext.h"
#include "properties/CStatePredicate.h"
#include "properties/ReachabilityShape.h"

#include <map>
#include <memory>

namespace {

using EKind = CFormula::EKind;
using ReachabilityShape::ETruth;

// Finding a case where the predicate holds: EF p looks for p, AG p for !p.
struct Goal {
    std::unique_ptr<CStatePredicate> predicate;
    int found = -1;
};

struct BoundGoal {
    std::vector<CCompactNet::Word> mask;
    std::vector<int> again;
    long long most = -1;
    long long limit = 0;
    int at = 0;
};

// One property under way: its leaves' goals.
struct Open {
    const CProperty* property;
    CPropertyResult* result;
    std::map<const CFormula*, int> goals; // leaf -> goal
    int bound = -1;
    bool decided = false;
};

class CReachabilityRun {
public:
    CReachabilityRun(CCheckContext& context) : m_context(context), m_net(context.Compact()) {}

    void Add(const CProperty& property, CPropertyResult& result) {
        Open open{&property, &result, {}, -1, false};
        const CFormula& f = *property.formula;
        if (f.Kind() == EKind::Bound) {
            BoundGoal b;
            std::vector<int> unique = f.Elements();
            std::sort(unique.begin(), unique.end());
            for (std::size_t i = 1; i < unique.size(); ++i)
                if (unique[i] == unique[i - 1])
                    b.again.push_back(unique[i]);
            unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
            b.mask = m_net.Mask(unique);
            b.limit = static_cast<long long>(f.Elements().size());
            open.bound = static_cast<int>(m_arrBounds.size());
            m_arrBounds.push_back(std::move(b));
        } else {
            AddLeaves(f, open);
        }
        m_arrOpen.push_back(std::move(open));
    }

    void Run() {
        CCaseSpace& space = m_context.Space();
        CCheckBudget& budget = m_context.Budget();
        m_nActive = CountActive();
        bool changed = true;
        for (int i = 0;;) {
            if (changed)
                Decide(false);
            changed = false;
            if (m_nActive == 0)
                return;
            if (i >= space.Count()) {
                if (!space.ExpandNext())
                    break;
                budget.Tick([this] { return m_context.Bytes(); });
                continue;
            }
            changed = Visit(i, space.Case(i));
            ++i;
        }
        Decide(true);
    }

private:
    void AddLeaves(const CFormula& f, Open& open) {
        if (ReachabilityShape::IsLeaf(f)) {
            const CFormula& p = *f.Operand();
            Goal goal;
            goal.predicate = std::make_unique<CStatePredicate>(
                f.Kind() == EKind::EF ? p : *CFormula::Not(f.Operand()), m_net);
            open.goals[&f] = static_cast<int>(m_arrGoals.size());
            m_arrGoals.push_back(std::move(goal));
            return;
        }
        if (f.IsState()) {
            m_mapInitial[&f] = CStatePredicate(f, m_net).Holds(m_net.Initial());
            return;
        }
        for (const FormulaPtr& g : f.Operands())
            AddLeaves(*g, open);
    }

    int CountActive() const {
        int n = 0;
        for (const Open& open : m_arrOpen)
            n += open.decided ? 0 : 1;
        return n;
    }

    // Asks the case for every goal still open; whether one was reached.
    bool Visit(int i, const CCompactNet::Word* c) {
        bool changed = false;
        for (Goal& goal : m_arrGoals)
            if (goal.found < 0 && goal.predicate && goal.predicate->Holds(c)) {
                goal.found = i;
                changed = true;
            }
        for (BoundGoal& b : m_arrBounds) {
            if (b.most == b.limit)
                continue;
            long long n = m_net.Count(c, b.mask.data());
            for (int condition : b.again)
                n += CCompactNet::Holds(c, condition) ? 1 : 0;
            if (n > b.most) {
                b.most = n;
                b.at = i;
                changed = changed || n == b.limit;
            }
        }
        return changed;
    }

    ETruth LeafValue(const Open& open, const CFormula& leaf, bool complete) const {
        if (leaf.IsState())
            return m_mapInitial.at(&leaf) ? ETruth::True : ETruth::False;
        const Goal& goal = m_arrGoals[static_cast<std::size_t>(open.goals.at(&leaf))];
        const bool ef = leaf.Kind() == EKind::EF;
        if (goal.found >= 0)
            return ef ? ETruth::True : ETruth::False;
        if (complete)
            return ef ? ETruth::False : ETruth::True;
        return ETruth::Unknown;
    }

    // Writes the answers now known; with the space complete every one is.
    void Decide(bool complete) {
        CCaseSpace& space = m_context.Space();
        for (Open& open : m_arrOpen) {
            if (open.decided)
                continue;
            CPropertyResult& result = *open.result;
            if (open.bound >= 0) {
                const BoundGoal& b = m_arrBounds[static_cast<std::size_t>(open.bound)];
                if (!complete && b.most != b.limit)
                    continue;
                result.verdict = EVerdict::Number;
                result.number = b.most;
                result.run = space.RunTo(b.at);
            } else {
                const auto leaf = [&](const CFormula& l) { return LeafValue(open, l, complete); };
                const ETruth truth = ReachabilityShape::Evaluate(*open.property->formula, leaf);
                if (truth == ETruth::Unknown)
                    continue;
                const bool value = truth == ETruth::True;
                result.verdict = value ? EVerdict::True : EVerdict::False;
                if (const CFormula* deciding =
                        ReachabilityShape::DecidingLeaf(*open.property->formula, value, leaf))
                    result.run = space.RunTo(
                        m_arrGoals[static_cast<std::size_t>(open.goals.at(deciding))].found);
            }
            result.techniques = kExplicit | kSequential | kStateCompression;
            result.seconds = m_context.Budget().Elapsed();
            open.decided = true;
            --m_nActive;
            // Goals no open property needs are asked no more.
            for (const auto& [leaf, goal] : open.goals)
                if (!Needed(goal))
                    m_arrGoals[static_cast<std::size_t>(goal)].predicate.reset();
            if (open.bound >= 0)
                m_arrBounds[static_cast<std::size_t>(open.bound)].most =
                    m_arrBounds[static_cast<std::size_t>(open.bound)].limit;
        }
    }

    bool Needed(int goal) const {
        for (const Open& open : m_arrOpen)
            if (!open.decided)
                for (const auto& [leaf, g] : open.goals)
                    if (g == goal)
                        return true;
        return false;
    }

    CCheckContext& m_context;
    const CCompactNet& m_net;
    std::vector<Goal> m_arrGoals;
    std::vector<BoundGoal> m_arrBounds;
    std::vector<Open> m_arrOpen;
    std::map<const CFormula*, bool> m_mapInitial;
    int m_nActive = 0;
};

} // namespace

bool COnTheFlyEngine::Accepts(const CFormula& formula) const {
    return formula.Kind() == EKind::Bound || ReachabilityShape::Accepts(formula);
}

void COnTheFlyEngine::Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
                            const std::vector<CPropertyResult*>& results) {
    CReachabilityRun run(context);
    for (std::size_t i = 0; i < properties.size(); ++i)
        run.Add(*properties[i], *results[i]);
    run.Run();
}
