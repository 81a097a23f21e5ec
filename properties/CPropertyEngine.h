#pragma once

#include "properties/CProperty.h"
#include "properties/CPropertyResult.h"

#include <vector>

class CCheckContext;

// The engines by what they do: the state equation's proof, reachability on the fly, CTL
// by fixpoints over the stored graph, LTL by Buchi automata, decision diagrams.
enum class EEngine { StateEquation, OnTheFly, Ctl, Ltl, Symbolic };

// One way of deciding properties. The checker hands each engine, in its order, the
// properties still undecided that the engine accepts; the engine decides what it can
// be sure of and leaves the rest "cannot compute" for the next one. A wrong answer is
// worse than none. The engines of this layer explore cases explicitly; decision
// diagrams and the state equation come in through the same door.
class CPropertyEngine {
public:
    virtual ~CPropertyEngine() = default;

    virtual EEngine Kind() const = 0;
    // The techniques its answers name.
    virtual unsigned Techniques() const = 0;
    // Whether it can decide formulas of this kind at all.
    virtual bool Accepts(const CFormula& formula) const = 0;
    // Decides what it can: results[i] answers properties[i] (its id is set already).
    // Undecided properties keep verdict CannotCompute; the engine may set the reason.
    // A limit reached throws CCheckStopped after the decided ones are written.
    virtual void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
                       const std::vector<CPropertyResult*>& results) = 0;
};
