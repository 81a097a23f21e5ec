#pragma once

#include "base/CRect.h"
#include "model/CNetDesign.h"

#include <ostream>

// A small net on a 300 x 120 page: the marked condition b1 at (60, 60), the event e1
// at (140, 60) and the empty condition b2 at (220, 60), with the edges b1 -> e1 -> b2.
struct TestNet {
    static constexpr int kConditions = 2;
    static constexpr int kEvents = 1;
    static constexpr int kEdges = 2;

    TestNet();
    CNetDesign net;
};

inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
