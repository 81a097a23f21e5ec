#pragma once

#include "model/CSetConditions.h"

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

class CDC;
class CNetDesign;
class CNetStructure;
class CPNCondition;
class CPNEvent;
struct CPoint;

// Builds nets in code: conditions and events with their name labels, and the edges
// between them, all owned by the net. Elements without a place are spread over a grid;
// with a context the names are measured as the editor measures them.
class NetBuilder {
public:
    explicit NetBuilder(CNetDesign& net, CDC* measure = nullptr) : m_net(net), m_pDC(measure) {}

    CPNCondition* Condition(const std::string& name, bool token = false);
    CPNCondition* ConditionAt(const std::string& name, CPoint at, bool token = false);
    CPNEvent* Event(const std::string& name, std::initializer_list<CPNCondition*> pre = {},
                    std::initializer_list<CPNCondition*> post = {});
    CPNEvent* EventAt(const std::string& name, CPoint at,
                      std::initializer_list<CPNCondition*> pre = {},
                      std::initializer_list<CPNCondition*> post = {});
    // An edge from a condition to an event or from an event to a condition.
    void Edge(CPNCondition* from, CPNEvent* to);
    void Edge(CPNEvent* from, CPNCondition* to);
    // The flow relation from the edges; returns the initial case (the tokens).
    CSetConditions Build();

private:
    template <class Element> Element* AddNamed(const std::string& name, CPoint at);
    CPoint NextPlace();

    CNetDesign& m_net;
    CDC* m_pDC;
    int m_nPlaced = 0;
};

// n dining philosophers: per philosopher i the conditions think_i (marked), eat_i and
// fork_i (marked); take_i from {think_i, fork_i, fork_(i+1 mod n)} to {eat_i}, put_i
// back. Returns the initial case.
CSetConditions BuildDiningPhilosophers(CNetDesign& net, int n);

// n independent two-state components: a_i (marked) and b_i, f_i from a_i to b_i, g_i
// back. Returns the initial case.
CSetConditions BuildIndependentComponents(CNetDesign& net, int n);

// A random net from the seeded generator: the given numbers of conditions (each marked
// with probability 1/2) and events; each condition is a precondition of an event with
// probability 1/6 and a postcondition with probability 1/6 (never both). Names are
// "k<i>" and "t<i>". Returns the initial case.
CSetConditions BuildRandomNet(CNetDesign& net, std::mt19937& gen, int conditions, int events,
                              CDC* measure = nullptr);

// A random system: the given number of components, each a cycle of `length` conditions
// (the first marked) passed by one event each, sharing `shared` resource conditions
// (marked): a component takes a resource on entering a random stretch of its cycle
// and gives it back on leaving it. Many cases, the components interleaving.
CSetConditions BuildRandomSystem(CNetDesign& net, std::mt19937& gen, int components, int length,
                                 int shared);

// The same net as numbers alone, as a file read without drawing it gives it; with pad,
// as many conditions of no event go first (every other one marked).
CNetStructure Undrawn(const CNetStructure& drawn, int pad = 0);

// The net's conditions in the order they were added.
std::vector<CPNCondition*> ConditionsOf(const CNetDesign& net);

// A net from a line of text: the conditions first, separated by blanks, a '*' after a
// name giving it a token; then one event per ';', "name: pre pre -> post post". A
// condition first named in an event is made there; an event refers to the last one
// listed under its name. A leading "~" stands for an empty name.
// Example: "a* b; e: a -> b; f: b -> a". Returns the initial case.
CSetConditions BuildNetFromText(CNetDesign& net, const std::string& text, CDC* measure = nullptr);

// The text of a ring of n conditions c0 (marked) ... c(n-1) and n events t(i) from c(i)
// to c(i+1 mod n), for BuildNetFromText: n cases, n steps.
std::string RingNetText(int n);

// The text of a random system of components, for BuildNetFromText: 2 to 4 rings of 2 or
// 3 conditions (c<ring>_<place>, one of them marked, at random), their events
// t<ring>_<place> moving the ring's token on; then up to three pairs of events of two
// rings joined into one (s<k>, taking both tokens on together), at most one pair per
// two rings. Each ring is an S-invariant of value 1; the joins bring deadlocks and runs
// that leave a ring behind. Not every such net is a C/E system: an event joined may
// never have concession.
std::string RandomSystemText(std::mt19937& gen);
