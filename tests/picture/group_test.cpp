// The group operations on the tables: what a band selects, a move that the
// canvas edge stops, flips and turns that stay on the canvas, and a paste with
// its room check. Each case selects a rectangle of a small picture, runs one
// operation and compares the entries in use, in entry order, afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "group.h"

namespace {

using Points = std::vector<std::array<int, 2>>;
using Lines = std::vector<std::array<int, 4>>;

struct GroupCase {
    const char* name;
    Points points;
    Lines lines;
    int filler;  // more points and lines after these, on rows 150 and below, outside every band
    CellBox band;
    // Runs on the tables and the group selected; returns what it reports.
    std::function<std::string(PictureTables&, const Group&)> operation;
    std::string reported;
    Points pointsAfter;  // the picture's points and lines afterwards (filler aside)
    Lines linesAfter;
};

std::string moved(PictureTables& t, const Group& g, int dx, int dy) {
    const CellStep step = moveGroup(t, g, dx, dy);
    return std::to_string(step.dx) + "," + std::to_string(step.dy);
}

// The refusals of `turns` in a row, each after a slash.
std::string turned(PictureTables& t, const Group& g, std::vector<Turn> turns) {
    std::string refusals;
    for (const Turn turn : turns) refusals += "/" + turnGroup(t, g, turn);
    return refusals;
}
const Turn cw = Turn::clockwise, ccw = Turn::counterClockwise;

std::string pasted(PictureTables& t, const Group& g, int x, int y) {
    const Paste paste = pasteClip(t, copyGroup(t, g), x, y);
    return paste.refusal.empty() ? groupCounts("Pasted", paste.pasted) : paste.refusal;
}

const GroupCase cases[] = {
    {"BandSelectsPointsInsideAndLinesWithBothEndsInside",
     {{5, 5}, {9, 9}, {20, 5}}, {{5, 6, 8, 8}, {5, 5, 30, 5}}, 0, {5, 5, 10, 10},
     [](PictureTables& t, const Group& g) { return groupCounts("Selected", g) + " " + moved(t, g, 1, 0); },
     "Selected 2 points, 1 line 1,0", {{6, 5}, {10, 9}, {20, 5}}, {{6, 6, 9, 8}, {5, 5, 30, 5}}},
    {"MoveStopsAtTheRightAndBottomEdgeForTheWholeGroup",
     {{250, 190}, {253, 196}}, {{251, 191, 252, 195}}, 0, {250, 190, 255, 199},
     [](PictureTables& t, const Group& g) { return moved(t, g, 10, 10); },
     "2,3", {{252, 193}, {255, 199}}, {{253, 194, 254, 198}}},
    {"MoveStopsAtTheLeftAndTopEdge",
     {{1, 4}, {5, 6}}, {}, 0, {0, 0, 9, 9},
     [](PictureTables& t, const Group& g) { return moved(t, g, -5, -9); },
     "-1,-4", {{0, 0}, {4, 2}}, {}},
    {"FlipsMirrorWithinTheBounds",
     {{10, 10}, {12, 10}}, {{10, 11, 14, 13}}, 0, {10, 10, 14, 13},
     [](PictureTables& t, const Group& g) {
         flipGroup(t, g, Flip::leftRight);
         flipGroup(t, g, Flip::topBottom);
         return std::string();
     },
     "", {{14, 13}, {12, 13}}, {{14, 12, 10, 10}}},
    {"TurnCounterClockwiseUndoesTurnClockwise",
     {{10, 10}, {13, 11}}, {{10, 11, 12, 10}}, 0, {10, 10, 13, 11},
     [](PictureTables& t, const Group& g) {
         return turned(t, g, {cw, ccw});
     },
     "//", {{10, 10}, {13, 11}}, {{10, 11, 12, 10}}},
    {"ATurnAndItsOppositeOrFourTurnsAtTheBottomEdgeGiveBackTheCellsHeld",
     {{240, 185}, {243, 199}}, {{240, 199, 242, 190}}, 0, {240, 185, 243, 199},
     [](PictureTables& t, const Group& g) { return turned(t, g, {cw, ccw, cw, cw, cw, cw}); },
     "//////", {{240, 185}, {243, 199}}, {{240, 199, 242, 190}}},
    {"TurnPastTheTopEdgeIsRefusedNeverShifted",
     {{0, 0}, {4, 0}}, {}, 0, {0, 0, 4, 0},
     [](PictureTables& t, const Group& g) { return turned(t, g, {cw}); },
     "/No room to turn here", {{0, 0}, {4, 0}}, {}},
    {"TurnOfAGroupWiderThanTheCanvasIsTallIsRefused",
     {{0, 0}, {200, 0}}, {}, 0, {0, 0, 255, 0},
     [](PictureTables& t, const Group& g) { return turned(t, g, {cw}); },
     "/Too wide to turn: over 200 cells", {{0, 0}, {200, 0}}, {}},
    {"PasteAtTheCornerIsMovedBackOntoTheCanvas",
     {{10, 10}, {12, 13}}, {{10, 10, 12, 13}}, 0, {10, 10, 12, 13},
     [](PictureTables& t, const Group& g) { return pasted(t, g, 255, 199); },
     "Pasted 2 points, 1 line", {{10, 10}, {12, 13}, {253, 196}, {255, 199}}, {{10, 10, 12, 13}, {253, 196, 255, 199}}},
    {"PastePastTheTableRefusesAndSaysTheRoom",
     {{10, 10}, {11, 10}, {12, 10}}, {}, 508, {10, 10, 12, 10},
     [](PictureTables& t, const Group& g) { return pasted(t, g, 50, 50); },
     "Room for 1 more point", {{10, 10}, {11, 10}, {12, 10}}, {}},
    {"PastePastBothTablesNamesBoth",
     {{10, 10}, {11, 10}, {12, 10}}, {{10, 10, 12, 10}, {11, 10, 12, 10}, {10, 10, 11, 10}}, 508, {10, 10, 12, 10},
     [](PictureTables& t, const Group& g) { return pasted(t, g, 50, 50); },
     "Room for 1 more point, 1 more line", {{10, 10}, {11, 10}, {12, 10}},
     {{10, 10, 12, 10}, {11, 10, 12, 10}, {10, 10, 11, 10}}},
};

class GroupOperation : public ::testing::TestWithParam<GroupCase> {};

// The entries in use of one table, in entry order.
template <int fields>
std::vector<std::array<int, fields>> inUse(const ConstTable& table) {
    std::vector<std::array<int, fields>> entries;
    for (int i = 0; i < p_number; ++i) {
        if (!table.used[i]) continue;
        entries.push_back({});
        for (int row = 0; row < fields; ++row) entries.back()[row] = table.rows[row][i];
    }
    return entries;
}

TEST_P(GroupOperation, ChangesTheTablesAsExpected) {
    const GroupCase& c = GetParam();
    PictureTables t;
    for (const auto& p : c.points) t.createPixel(p[0], p[1]);
    for (const auto& l : c.lines) t.createLine(l[0], l[1], l[2], l[3]);
    for (int i = 0; i < c.filler; ++i) {
        t.createPixel(i % Image_Width, 150 + i / Image_Width);
        t.createLine(0, 170, 1, 170);
    }
    const Group g = groupInBox(t, c.band);
    EXPECT_EQ(c.operation(t, g), c.reported);
    Points points = inUse<2>(pointTable(std::as_const(t)));
    points.resize(points.size() - c.filler);  // the filler, in the last entries
    EXPECT_EQ(points, c.pointsAfter);
    Lines lines = inUse<4>(lineTable(std::as_const(t)));
    lines.resize(lines.size() - c.filler);
    EXPECT_EQ(lines, c.linesAfter);
    EXPECT_EQ(t.pixels_Amount, static_cast<int>(c.pointsAfter.size()) + c.filler);
    EXPECT_EQ(t.lines_amount, static_cast<int>(c.linesAfter.size()) + c.filler);
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupOperation, ::testing::ValuesIn(cases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
