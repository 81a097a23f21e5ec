#pragma once

#include "properties/CFormula.h"

#include <functional>

// Formulas that ask only whether some reachable case satisfies a state formula:
// connectives over leaves EF p and AG p (p a state formula) and state formulas asked
// of the initial case.
namespace ReachabilityShape {

enum class ETruth { False, True, Unknown };

// Whether the formula has that shape.
bool Accepts(const CFormula& f);
// Whether the node is a leaf EF p or AG p.
bool IsLeaf(const CFormula& f);

// The value of a formula of that shape from its leaves' values (Unknown where not yet
// known), three-valued: And is False as soon as one operand is.
ETruth Evaluate(const CFormula& f, const std::function<ETruth(const CFormula& leaf)>& leaf);

// The leaf whose run shows that the formula has the value want: an EF leaf for true, an
// AG leaf for false, reached through the connectives that this one leaf decides (a false
// conjunct, a true disjunct); null when no single leaf does.
const CFormula* DecidingLeaf(const CFormula& f, bool want,
                             const std::function<ETruth(const CFormula& leaf)>& leaf);

} // namespace ReachabilityShape
