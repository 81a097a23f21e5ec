#include "casegraph/CBoxIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using Box = CBoxIndex::Box;

bool Meets(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

// Lines of a page: most short, some across the page, a few far off it or huge.
Box RandomBox(std::mt19937& random, int page) {
    std::uniform_int_distribution<int> at(-50, page), kind(0, 199);
    const int x = at(random), y = at(random);
    int w = std::uniform_int_distribution<int>(0, 120)(random);
    int h = std::uniform_int_distribution<int>(0, 120)(random);
    switch (kind(random)) {
    case 0:
        w = std::uniform_int_distribution<int>(0, page)(random);
        break;
    case 1:
        h = std::uniform_int_distribution<int>(0, 3 * page)(random);
        break;
    case 2:
        return {x - 5 * page, y + 7 * page, x - 5 * page + w, y + 7 * page + h};
    case 3:
        return {-1'000'000'000, y, 1'000'000'000, y + h};
    default:
        break;
    }
    return {x, y, x + w, y + h};
}

// What a query must give: every box meeting the area, in increasing order, or a refusal
// (then the caller reads them all). A small window far from most boxes is answered
// with a few of them.
void ExpectAnswers(const CBoxIndex& index, const std::vector<Box>& boxes, const Box& area,
                   std::size_t& answered) {
    std::vector<std::uint32_t> near = {12345};
    if (!index.Near(area, near)) {
        EXPECT_EQ(near, std::vector<std::uint32_t>({12345})) << "a refusal leaves out alone";
        return;
    }
    ++answered;
    ASSERT_TRUE(std::is_sorted(near.begin(), near.end()));
    ASSERT_EQ(std::adjacent_find(near.begin(), near.end()), near.end()) << "no box twice";
    for (std::uint32_t i = 0; i < boxes.size(); ++i) {
        if (Meets(boxes[i], area)) {
            ASSERT_TRUE(std::binary_search(near.begin(), near.end(), i)) << "box " << i;
        }
    }
}

TEST(BoxIndexTest, FindsEveryBoxMeetingAnAreaThroughMoves) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        const int page = 2000 + 1000 * static_cast<int>(seed % 4);
        std::vector<Box> boxes(std::uniform_int_distribution<int>(0, 3000)(random));
        for (Box& box : boxes) {
            box = RandomBox(random, page);
        }
        CBoxIndex index;
        index.Build(boxes.data(), boxes.size());
        ASSERT_EQ(index.Count(), boxes.size());
        std::size_t answered = 0;
        for (int round = 0; round < 60; ++round) {
            // Windows of every size: a pixel, a window, the page and beyond.
            const int size = std::uniform_int_distribution<int>(0, page >> (round % 7))(random);
            const Box window = RandomBox(random, page);
            ExpectAnswers(index, boxes, {window.x0, window.y0, window.x0 + size, window.y0 + size},
                          answered);
            // Boxes move, as steps do when a case is dragged: some a little, some off
            // the page the index was made for.
            for (int k = 0; k < 40 && !boxes.empty(); ++k) {
                const auto i = std::uniform_int_distribution<std::uint32_t>(
                    0, static_cast<std::uint32_t>(boxes.size() - 1))(random);
                boxes[i] = RandomBox(random, page);
                index.Move(i, boxes[i]);
            }
        }
        if (boxes.size() > 1000) {
            EXPECT_GT(answered, 5u) << "small windows are answered from the index";
        }
    }
}

TEST(BoxIndexTest, AnswersASmallWindowWithFewBoxes) {
    // Twenty thousand short lines on a page of 10,000 units: a window of 500 meets a
    // few hundred of them, and the index reads not many more.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, 10'000), length(0, 100);
    std::vector<Box> boxes(20'000);
    for (Box& box : boxes) {
        const int x = at(random), y = at(random);
        box = {x, y, x + length(random), y + length(random)};
    }
    CBoxIndex index;
    index.Build(boxes.data(), boxes.size());
    std::vector<std::uint32_t> near;
    ASSERT_TRUE(index.Near({4000, 4000, 4500, 4500}, near));
    EXPECT_LT(near.size(), 200u);
    EXPECT_FALSE(index.Near({-10, -10, 20'000, 20'000}, near)) << "the whole page is read whole";

    CBoxIndex empty;
    empty.Build(nullptr, 0);
    EXPECT_TRUE(!empty.Near({0, 0, 10, 10}, near) || near.empty());
}

} // namespace
