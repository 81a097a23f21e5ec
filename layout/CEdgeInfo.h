#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"

class CChromosome;

// One arc of the case graph as the layout optimiser sees it: the gene indices of its
// two nodes and, after Update, their positions in one placement.
class CEdgeInfo {
public:
    // Takes the positions of the two nodes from the chromosome's genes.
    void Update(const CChromosome& chromosome);
    // Length of the arc, truncated toward zero.
    int Length() const;
    // Whether the line of this arc crosses the other arc (see the rules in the source):
    // arcs sharing a node do not cross, unless they lie on one line; two arcs on one
    // line count as crossing even far apart when their rectangles give no answer.
    bool Intersects(const CEdgeInfo& other, bool swapped) const;

    int m_nFrom = 0;
    int m_nTo = 0;
    CPoint m_ptFrom;
    CSize m_sizeDelta;
    CPoint m_ptTo;
    CRect m_rcBounds;
};
