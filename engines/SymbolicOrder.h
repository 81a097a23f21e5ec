#pragma once

#include <vector>

// The order of a net's conditions for decision diagrams, from the net's structure: the
// conditions of one event close together, so that an event reads and writes a short
// stretch of the variables. Breadth first over the events sharing conditions, then
// improved by FORCE (Aloul, Markov and Sakallah): each condition moves to the mean of
// the centres of its events, again and again while the events' spans shrink.
namespace SymbolicOrder {

// touched[e]: the conditions (0 ... conditions - 1) event e reads or writes. The
// conditions in order.
std::vector<int> Conditions(int conditions, const std::vector<std::vector<int>>& touched);

// The sum over the events of the distance between their first and last condition in
// the order (position[c] per condition).
long long Span(const std::vector<int>& position, const std::vector<std::vector<int>>& touched);

} // namespace SymbolicOrder
