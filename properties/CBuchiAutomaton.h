#pragma once

#include "properties/CFormula.h"

#include <cstdint>
#include <vector>

// A generalized Buchi automaton whose states carry the labels: a run of the net matches
// a run of states when each case satisfies its state's label (the atoms it must and
// must not satisfy), and it is accepted when it passes through every acceptance set
// infinitely often. Atoms and acceptance sets are bits of a word: at most 64 of each.
struct CBuchiAutomaton {
    struct State {
        std::uint64_t must = 0;
        std::uint64_t mustNot = 0;
        // Bit k: the state belongs to acceptance set k.
        std::uint64_t accepting = 0;
        bool initial = false;
        std::vector<int> successors;

        bool Matches(std::uint64_t atoms) const {
            return (atoms & must) == must && (atoms & mustNot) == 0;
        }
    };

    std::vector<State> states;
    // The state formulas the labels' bits stand for.
    std::vector<FormulaPtr> atoms;
    int acceptanceSets = 0;

    std::uint64_t AllSets() const {
        return acceptanceSets == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << acceptanceSets) - 1;
    }
};
