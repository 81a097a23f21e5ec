#pragma once

#include "properties/CCompactNet.h"
#include "properties/CFormula.h"

#include <vector>

// A state formula made ready to be asked of many cases: conditions and counts as bit
// masks, the tree as an array of nodes.
class CStatePredicate {
public:
    using Word = CCompactNet::Word;

    CStatePredicate(const CFormula& formula, const CCompactNet& net);

    bool Holds(const Word* c) const { return Eval(0, c); }

private:
    // A comparison of a count of distinct conditions with a constant, as one test of the
    // mask: all held, one held, none held, not all held, or always true or false.
    enum class ETest : unsigned char { Count, All, Any, None, NotAll, True, False };
    struct Node {
        CFormula::EKind kind;
        CFormula::ECompare compare = CFormula::ECompare::LessEqual;
        ETest test = ETest::Count;
        // Operands: node indexes in m_arrOperands[first, first + count).
        // Fireable: events in m_arrEvents[first, first + count).
        // Compare: the two terms at first and first + 1 of m_arrTerms; with a test of
        // the mask, the mask's offset in m_arrMasks.
        // Condition: the condition in first.
        int first = 0;
        int count = 0;
    };
    struct Term {
        long long constant = 0;
        // A count: the mask's offset in m_arrMasks, -1 for a constant; conditions named
        // more than once count again for each further naming.
        long mask = -1;
        std::vector<int> again;
    };

    int Compile(const CFormula& f);
    // The test that a comparison comes to, where it is one.
    static ETest TestOf(const CFormula& f);
    bool Eval(int node, const Word* c) const;
    bool Test(ETest test, const Word* mask, const Word* c) const;
    long long Value(const Term& term, const Word* c) const;

    const CCompactNet& m_net;
    std::vector<Node> m_arrNodes;
    std::vector<int> m_arrOperands;
    std::vector<int> m_arrEvents;
    std::vector<Term> m_arrTerms;
    std::vector<Word> m_arrMasks;
};
