// The drawing aids' geometry: mirror images of cells and lines under each
// mirror (cells beside the axes, lines that are their own image), the mirrored
// edits against full tables, and the straight end over every direction.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "drawingaids.h"

namespace {

std::string text(const std::vector<Cell>& cells) {
    std::string s;
    for (const Cell c : cells) s += std::to_string(c.x) + "," + std::to_string(c.y) + " ";
    return s;
}

std::string text(const std::vector<Segment>& lines) {
    std::string s;
    for (const Segment& l : lines) s += text({l.a, l.b}) + "| ";
    return s;
}

TEST(DrawingAids, MirrorCyclesThroughItsFourStates) {
    Mirror m = Mirror::off;
    for (Mirror expected : {Mirror::leftRight, Mirror::topBottom, Mirror::both, Mirror::off}) {
        m = nextMirror(m);
        EXPECT_EQ(m, expected);
    }
}

TEST(DrawingAids, CellImagesUnderEachMirror) {
    const struct {
        Cell cell;
        Mirror mirror;
        const char* images;
    } cases[] = {
        {{10, 20}, Mirror::off, "10,20 "},
        {{10, 20}, Mirror::leftRight, "10,20 245,20 "},
        {{10, 20}, Mirror::topBottom, "10,20 10,179 "},
        {{10, 20}, Mirror::both, "10,20 245,20 10,179 245,179 "},
        {{0, 0}, Mirror::both, "0,0 255,0 0,199 255,199 "},
        // Beside the axes, which lie between columns 127 and 128 and rows 99 and 100.
        {{127, 99}, Mirror::both, "127,99 128,99 127,100 128,100 "},
        {{128, 100}, Mirror::leftRight, "128,100 127,100 "},
    };
    for (const auto& c : cases) EXPECT_EQ(text(mirrorImages(c.cell, c.mirror)), c.images) << c.images;
}

TEST(DrawingAids, LineImagesLeaveOutTheLineItselfAndRepeats) {
    const struct {
        Segment line;
        Mirror mirror;
        const char* images;
    } cases[] = {
        {{{10, 10}, {40, 20}}, Mirror::off, "10,10 40,20 | "},
        {{{10, 10}, {40, 20}}, Mirror::leftRight, "10,10 40,20 | 245,10 215,20 | "},
        {{{10, 10}, {40, 20}}, Mirror::both, "10,10 40,20 | 245,10 215,20 | 10,189 40,179 | 245,189 215,179 | "},
        // Across the vertical axis: its own image, ends swapped.
        {{{100, 50}, {155, 50}}, Mirror::leftRight, "100,50 155,50 | "},
        {{{127, 10}, {128, 10}}, Mirror::leftRight, "127,10 128,10 | "},
        {{{100, 50}, {155, 50}}, Mirror::both, "100,50 155,50 | 100,149 155,149 | "},
        // Through the centre: the four-fold image is the line itself, the top-bottom one the left-right one.
        {{{100, 20}, {155, 179}}, Mirror::both, "100,20 155,179 | 155,20 100,179 | "},
        {{{20, 99}, {20, 100}}, Mirror::topBottom, "20,99 20,100 | "},
        {{{5, 5}, {5, 5}}, Mirror::both, "5,5 5,5 | 250,5 250,5 | 5,194 5,194 | 250,194 250,194 | "},
    };
    for (const auto& c : cases) EXPECT_EQ(text(mirrorImages(c.line, c.mirror)), c.images) << c.images;
}

// Tables with `room` entries free in each table.
PictureTables withRoom(int room) {
    PictureTables t;
    for (int i = 0; i < p_number - room; ++i) t.createPixel(i % 100, 150 + i / 100);
    for (int i = 0; i < l_number - room; ++i) t.createLine(i % 100, 150 + i / 100, 0, 199);
    return t;
}

TEST(DrawingAids, MirroredEditsStopAtFullTablesAndCountWhatDidNotFit) {
    const struct {
        int room;
        Mirror mirror;
        bool pointThere;  // a point already at the cell itself
        int pointsMissed, pointsAdded, linesMissed, linesAdded;
    } cases[] = {
        {10, Mirror::both, false, 0, 4, 0, 4},
        {2, Mirror::both, false, 2, 2, 2, 2},
        {1, Mirror::leftRight, false, 1, 1, 1, 1},
        {0, Mirror::topBottom, false, 2, 0, 2, 0},
        {2, Mirror::both, true, 1, 2, 2, 2},  // only the three images want room
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.room);
        PictureTables t = withRoom(c.room);
        if (c.pointThere) {
            t.emptyPixel(0);
            t.createPixel(30, 40);
        }
        const int points = t.pixels_Amount, lines = t.lines_amount;
        EXPECT_EQ(placeMirrored(t, {30, 40}, c.mirror), c.pointsMissed);
        EXPECT_EQ(t.pixels_Amount - points, c.pointsAdded);
        EXPECT_EQ(addMirroredLine(t, {{30, 40}, {60, 45}}, c.mirror), c.linesMissed);
        EXPECT_EQ(t.lines_amount - lines, c.linesAdded);
    }
}

TEST(DrawingAids, ErasingTakesTheFirstPointAtEachImage) {
    PictureTables t;
    for (const Cell c : {Cell{30, 40}, Cell{225, 40}, Cell{225, 40}, Cell{30, 159}, Cell{31, 40}}) t.createPixel(c.x, c.y);
    eraseMirrored(t, {30, 40}, Mirror::both);
    EXPECT_EQ(t.pixels_Amount, 2);  // one of the two at (225, 40), and (31, 40)
    EXPECT_EQ(t.pointAt(225, 40), 2);
    EXPECT_EQ(t.pointAt(31, 40), 4);
}

// The direction of the straight end, of the eight, nearest that of the
// pointer, and along it the cell nearest the pointer, for pointers all round.
TEST(DrawingAids, StraightEndTakesTheNearestDirectionAndCell) {
    const Cell from = {128, 100};
    for (int dx = -40; dx <= 40; ++dx) {
        for (int dy = -40; dy <= 40; ++dy) {
            const Cell to = {from.x + dx, from.y + dy};
            const Cell end = straightEnd(from, to);
            const int ex = end.x - from.x, ey = end.y - from.y;
            SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
            ASSERT_TRUE(ex == 0 || ey == 0 || std::abs(ex) == std::abs(ey));
            if (dx == 0 && dy == 0) continue;
            const double pointer = std::atan2(dy, dx);
            const auto off = [&](double angle) { return std::abs(std::remainder(angle - pointer, 2 * M_PI)); };
            if (ex != 0 || ey != 0) {
                EXPECT_LE(off(std::atan2(ey, ex)), M_PI / 8 + 1e-9);
            }
            // No cell one step further or nearer along the direction is nearer the pointer.
            const int sx = (ex > 0) - (ex < 0), sy = (ey > 0) - (ey < 0);
            const auto distance = [&](int steps) { return std::hypot(ex + steps * sx - dx, ey + steps * sy - dy); };
            if (sx != 0 || sy != 0) {
                EXPECT_LE(distance(0), std::min(distance(1), distance(-1)) + 1e-9);
            }
        }
    }
}

TEST(DrawingAids, StraightEndStaysOnTheCanvas) {
    EXPECT_EQ(straightEnd({253, 100}, {255, 96}), (Cell{255, 98}));  // the diagonal stops at the edge
    EXPECT_EQ(straightEnd({1, 198}, {0, 199}), (Cell{0, 199}));
    EXPECT_EQ(straightEnd({10, 10}, {200, 12}), (Cell{200, 10}));
}

}  // namespace
