#pragma once

#include "model/CNetStructure.h"
#include "structure/CSemiflowResult.h"

#include <map>
#include <optional>
#include <set>
#include <string>

// What the tests of invariants check of a list of semiflows, by the net alone.

// A semiflow as element -> weight.
using Weighting = std::map<int, long long>;

Weighting WeightsOf(const CSemiflow& s);
// A semiflow in words: "2a+b+c".
std::string Describe(const CNetStructure& net, const CSemiflow& s, bool conditions);
// Everything a list of minimal semiflows promises, read off the net: each is a semiflow
// (C^T y = 0 or C x = 0) with positive weights of gcd 1 and its S-invariant's value; no
// support holds another; colexicographic order.
void ExpectMinimalSemiflows(const CNetStructure& net, const CSemiflowResult& result,
                            bool conditions);
// The extreme rays 4ti2's rays program (Debian's 4ti2) finds for the S- (conditions) or
// T-invariants, run in a fresh folder of the running test; none when it is not
// installed or gives no answer within the seconds (0: no limit). A test fails when the
// program ends without an answer.
std::optional<std::set<Weighting>> FourTiTwoSemiflows(const CNetStructure& net, bool conditions,
                                                      int seconds = 0);
