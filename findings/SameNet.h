#pragma once

class CNetStructure;

// Whether two structures are the same net: the same conditions and events by number and
// name, the same pre- and post-sets and the same initial case. What was found of one
// (a verdict, a run, an invariant) then holds for the other, whatever elements stand
// behind the numbers.
bool SameNet(const CNetStructure& a, const CNetStructure& b);
