#pragma once

class CDC;
class CNetDesign;

// Completes a net with complement conditions: a condition that has no complement (no
// other condition with its pre- and post-sets swapped) gets one named "not " and its
// name, with the mirrored edges and the negated token, so that the net can be made
// contact-free. Reads the pre- and post-sets of the last BuildStructure; the new
// conditions and edges enter them at the next one.
class CNetComplement {
public:
    explicit CNetComplement(CNetDesign& net) : m_net(net) {}

    // Returns the number of conditions without a complement; unless countOnly, adds a
    // complement to each (its label measured with the context) and reports it in the
    // analysis pane.
    int Complement(CDC& dc, bool countOnly);

private:
    CNetDesign& m_net;
};
