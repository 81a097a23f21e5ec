#pragma once

// Random formulas over a net, of each kind the checker answers, small enough for the
// oracle's tableau.

#include "properties/CFormula.h"

#include <random>

class CNetStructure;

class CRandomFormulas {
public:
    CRandomFormulas(const CNetStructure& net, std::mt19937& gen) : m_net(net), m_gen(gen) {}

    FormulaPtr State(int depth);
    // EF p, AG p and connectives over them.
    FormulaPtr Reachability(int depth);
    FormulaPtr Ctl(int depth);
    // A or E around a path formula, at most maxTemporal path operators.
    FormulaPtr Ltl(int depth);
    FormulaPtr Path(int depth);
    FormulaPtr Bound();

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_gen); }
    std::vector<int> Conditions(int most);
    FormulaPtr Atom();
    FormulaPtr Connect(int depth, FormulaPtr (CRandomFormulas::*make)(int));

    const CNetStructure& m_net;
    std::mt19937& m_gen;
    int m_nTemporal = 0;
};
