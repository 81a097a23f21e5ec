#include "base/CRect.h"

#include <gtest/gtest.h>

TEST(CRectTest, PointInRectExcludesRightAndBottomEdges) {
    CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_TRUE(r.PtInRect({29, 39}));
    EXPECT_FALSE(r.PtInRect({30, 25}));
    EXPECT_FALSE(r.PtInRect({15, 40}));
    EXPECT_FALSE(r.PtInRect({9, 25}));
    EXPECT_FALSE(CRect(5, 5, 5, 5).PtInRect({5, 5}));
}

TEST(CRectTest, IntersectionOfTouchingRectanglesIsEmpty) {
    CRect a(0, 0, 10, 10);
    EXPECT_EQ(a & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
    CRect r;
    EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_FALSE(r.IntersectRect(a, CRect(2, 2, 2, 8)));
}
