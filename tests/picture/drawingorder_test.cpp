// drawingorder_test.cpp - lines chained into strokes, the greedy order from the
// plotter's origin, and the improved order against it.
#include "drawingorder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::array<int, 4>>;

PictureTables picture(const Lines& lines, const std::vector<Cell>& points = {}) {
    PictureTables t;
    for (const auto& l : lines) t.createLine(l[0], l[1], l[2], l[3]);
    for (Cell p : points) t.createPixel(p.x, p.y);
    return t;
}

TEST(Strokes, LinesThatMeetEndToEndMakeTheFewestStrokes) {
    struct Row {
        const char* what;
        Lines lines;
        size_t strokes;
    };
    const Row rows[] = {
        {"a square", {{0, 0, 5, 0}, {5, 5, 5, 0}, {5, 5, 0, 5}, {0, 0, 0, 5}}, 1},
        {"three lines from one cell", {{5, 5, 0, 0}, {5, 5, 9, 0}, {5, 5, 5, 9}}, 2},
        {"two loops through one cell", {{0, 0, 2, 0}, {2, 0, 1, 1}, {1, 1, 0, 0}, {0, 0, 0, 3}, {0, 3, 1, 3}, {1, 3, 0, 0}}, 1},
        {"a line twice, once backwards", {{1, 2, 3, 4}, {3, 4, 1, 2}}, 1},
        {"one cell long, off the canvas", {{7, 7, 7, 7}, {0, 0, 256, 0}}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(pictureStrokes(picture(row.lines)).size(), row.strokes);
    }
}

TEST(DrawingOrder, GreedyStartsAtTheOriginAndTakesTheNearestEnd) {
    const PictureTables t = picture({{10, 10, 20, 10}, {0, 150, 0, 190}}, {{3, 140}});
    const std::vector<Stroke> order = greedyOrder(pictureStrokes(t));
    const std::vector<Stroke> expected = {{{0, 190}, {0, 150}}, {{3, 140}}, {{10, 10}, {20, 10}}};
    EXPECT_EQ(order, expected);
    EXPECT_DOUBLE_EQ(penUpTravel(order), 9 + std::hypot(3, 10) + std::hypot(7, 130));
}

// `lines` lines of up to `reach` cells each way, scattered, and half as many points.
PictureTables randomPicture(std::mt19937& random, int lines, int reach) {
    std::uniform_int_distribution<int> cell(0, Image_Height - 1), step(-reach, reach);
    PictureTables t;
    for (int i = 0; i < lines; ++i) {
        const int x = cell(random), y = cell(random);
        t.createLine(x, y, std::clamp(x + step(random), 0, 199), std::clamp(y + step(random), 0, 199));
        if (i % 2) t.createPixel(cell(random), y);
    }
    return t;
}

TEST(DrawingOrder, ShorterThanGreedyAndTheSameEachTime) {
    std::mt19937 random(7);
    for (int size = 0; size <= l_number; size += 64) {
        SCOPED_TRACE(size);
        const std::vector<Stroke> strokes = pictureStrokes(randomPicture(random, size, size % 128 ? 8 : 199));
        const std::vector<Stroke> order = shortOrder(strokes);
        EXPECT_EQ(order.size(), strokes.size());
        const double goal = size >= l_number / 2 ? 0.9 : 1;  // met on large pictures
        EXPECT_LE(penUpTravel(order), goal * penUpTravel(greedyOrder(strokes)) + 1e-9);
        EXPECT_EQ(shortOrder(strokes), order);
    }
}

}  // namespace
