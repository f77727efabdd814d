// The drawing aids' geometry: a point or a line added with its mirror images
// (cells beside the axes, lines that are their own image, tables without
// room), and the straight end over every direction.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "drawingaids.h"

namespace {

// The points (or lines) in use from entry `first` on, as "x,y " (or "x1,y1-x2,y2 ") each.
std::string entriesFrom(const PictureTables& t, int first, bool lines) {
    std::string s;
    const ConstTable table = lines ? lineTable(t) : pointTable(t);
    for (int i = first; i < p_number; ++i)
        for (int row = 0; row < table.fields && table.used[i]; ++row)
            s += std::to_string(table.rows[row][i]) + (row == table.fields - 1 ? " " : row == 1 ? "-" : ",");
    return s;
}

TEST(DrawingAids, APointOrLineIsAddedWithEachDistinctImageThatHasRoom) {
    // A point is added at its Segment's first cell; `room` entries are free in each table.
    const struct { Mirror mirror; bool line; Segment added; int room; const char* entries; int missed; } cases[] = {
        {Mirror::off, false, {{10, 20}, {}}, 9, "10,20 ", 0},
        {Mirror::both, false, {{10, 20}, {}}, 9, "10,20 245,20 10,179 245,179 ", 0},
        {Mirror::both, false, {{127, 99}, {}}, 9, "127,99 128,99 127,100 128,100 ", 0},  // beside both axes
        {Mirror::topBottom, false, {{10, 20}, {}}, 1, "10,20 ", 1},
        {Mirror::leftRight, true, {{10, 10}, {40, 20}}, 9, "10,10-40,20 245,10-215,20 ", 0},
        {Mirror::leftRight, true, {{100, 50}, {155, 50}}, 9, "100,50-155,50 ", 0},  // its own image
        {Mirror::both, true, {{100, 50}, {155, 50}}, 9, "100,50-155,50 100,149-155,149 ", 0},
        {Mirror::both, true, {{100, 20}, {155, 179}}, 9, "100,20-155,179 155,20-100,179 ", 0},  // through the centre
        {Mirror::both, true, {{10, 10}, {40, 20}}, 2, "10,10-40,20 245,10-215,20 ", 2},
    };
    for (const auto& c : cases) {
        PictureTables t;
        for (int i = 0; i < p_number - c.room; ++i) t.createPixel(i % 100, 150 + i / 100), t.createLine(0, 0, i, 1);
        const int missed = c.line ? addMirroredLine(t, c.added, c.mirror) : placeMirrored(t, c.added.a, c.mirror);
        EXPECT_EQ(entriesFrom(t, p_number - c.room, c.line), c.entries);
        EXPECT_EQ(missed, c.missed) << c.entries;
    }
}

// For pointers all round: the end lies on the one of the eight directions
// nearest the pointer's, at the cell of it nearest the pointer.
TEST(DrawingAids, StraightEndTakesTheNearestDirectionAndCell) {
    for (int dx = -40; dx <= 40; ++dx) {
        for (int dy = -40; dy <= 40; ++dy) {
            const Cell end = straightEnd({128, 100}, {128 + dx, 100 + dy});
            const int ex = end.x - 128, ey = end.y - 100, sx = (ex > 0) - (ex < 0), sy = (ey > 0) - (ey < 0);
            ASSERT_TRUE(ex == 0 || ey == 0 || std::abs(ex) == std::abs(ey)) << dx << "," << dy;
            if (sx == 0 && sy == 0) continue;
            EXPECT_LE(std::abs(std::remainder(std::atan2(ey, ex) - std::atan2(dy, dx), 2 * M_PI)), M_PI / 8);
            const auto away = [&](int steps) { return std::hypot(ex + steps * sx - dx, ey + steps * sy - dy); };
            EXPECT_LE(away(0), std::min(away(1), away(-1)) + 1e-9) << dx << "," << dy;
        }
    }
    EXPECT_EQ(straightEnd({253, 100}, {255, 96}), (Cell{255, 98}));  // a diagonal stops at the canvas's edge
}

}  // namespace
