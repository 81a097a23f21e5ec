#pragma once

#include "properties/CBuchiAutomaton.h"

#include <optional>

// LTL to a generalized Buchi automaton by the tableau of Gerth, Peled, Vardi and Wolper:
// the path formula in negation normal form (U and its dual R, X, the connectives, the
// maximal state subformulas as atoms, constants folded), states split on every
// disjunction and until, a state per set of formulas taken now and promised next, an
// acceptance set per until (its right side reached, or the until not promised).
// Every run of the net is infinite here: a run that reaches a case without concession
// stays in it for ever, so X needs no special case. Constant atoms (0 <= #(p)) are
// folded, a few rules shorten the formula (F X p = X F p, X G F p = G F p, ...), and the
// states that lead to no accepting cycle are left out.
class CLtlTranslator {
public:
    static constexpr int kMaxStates = 20000;
    static constexpr std::size_t kMaxPruned = 2000;

    // The automaton of the runs satisfying the path formula (its negation when negate);
    // nullopt when it grows past kMaxStates or past 64 atoms or untils.
    static std::optional<CBuchiAutomaton> Translate(const FormulaPtr& path, bool negate);
    // Leaves out the states from which no cycle through every acceptance set can be
    // reached: no accepting run passes them.
    static void Prune(CBuchiAutomaton& automaton);
};
