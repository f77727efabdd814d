// group.h - a group of point and line entries and what can be done to it as a whole.
//
// A Group names entries of one PictureTables value by index. The operations
// take the tables and the group and return the changed tables (the caller hands
// them to Picture::replace, so that each operation is one step of the history):
//
//     Group g = groupInBox(t, {10, 10, 40, 30});   // points inside, lines with both ends inside
//     PictureTables moved = t;
//     moveGroup(moved, g, 5, 0);                    // five cells right, or fewer at the canvas edge
//     const Clip c = copyGroup(t, g);               // for a paste, here or in another picture
//
// Nothing an operation does ever leaves the canvas: a move stops at the edge
// for the whole group, a turn that would reach past an edge is refused (a flip
// stays within the group's bounds), a paste starts far enough left and up to fit. The
// operations move entries in place and never merge them: a point moved onto
// another one makes two entries at one cell, as loading a file may give too.
// Flips and turns map distinct cells to distinct cells, so they never make a
// line whose two ends coincide; one that had them keeps them.
#ifndef TESSARY_GROUP_H
#define TESSARY_GROUP_H

#include <array>
#include <bitset>
#include <string>
#include <vector>

#include "coverage.h"
#include "tables.h"

// The box of cells with corners (x1, y1) and (x2, y2), whichever corners they are.
CellBox boxBetween(int x1, int y1, int x2, int y2);
bool inBox(CellBox box, int x, int y);

struct Group {
    std::bitset<p_number> points;
    std::bitset<l_number> lines;

    bool empty() const { return points.none() && lines.none(); }
    Group& operator|=(const Group& other);
    bool operator==(const Group& other) const { return points == other.points && lines == other.lines; }
};

// The points in use inside `box` and the lines in use with both ends inside it.
Group groupInBox(const PictureTables& t, CellBox box);
// Only the entries of `g` that are in use, and so drawn (empty ones drop out).
Group entriesInUse(const PictureTables& t, const Group& g);
// The smallest rectangle holding every point and line end of a non-empty group.
CellBox groupBounds(const PictureTables& t, const Group& g);
// A picture holding only the entries of `g`, in the same entries: what to draw highlighted.
PictureTables groupOnly(const PictureTables& t, const Group& g);

// "Selected 12 points, 5 lines": `done` and the group's counts.
std::string groupCounts(const char* done, const Group& g);

// Moves the group by (dx, dy) cells, less where an edge of the canvas stops
// it; returns the move made.
struct CellStep {
    int dx, dy;
};
CellStep moveGroup(PictureTables& t, const Group& g, int dx, int dy);

enum class Flip { leftRight, topBottom };
enum class Turn { clockwise, counterClockwise };
// Mirrors the group within its bounds.
void flipGroup(PictureTables& t, const Group& g, Flip flip);
// A quarter turn about the centre of the group's bounds, exact: a turn and its
// opposite, or four turns one way, give back the cells the group held. Returns
// why it did not turn, changing nothing, when the turned group would reach
// past an edge where it stands; empty when it turned.
std::string turnGroup(PictureTables& t, const Group& g, Turn turn);
// Empties the group's entries.
void eraseGroup(PictureTables& t, const Group& g);

// Points and lines apart from any picture, in cells from the top-left corner
// of their bounds, which measure width x height cells.
struct Clip {
    std::vector<std::array<int, 2>> points;
    std::vector<std::array<int, 4>> lines;
    int width = 0, height = 0;

    bool empty() const { return points.empty() && lines.empty(); }
    bool operator==(const Clip& other) const {
        return points == other.points && lines == other.lines && width == other.width && height == other.height;
    }
};
Clip copyGroup(const PictureTables& t, const Group& g);

// A paste: the new entries as a group, or, when the tables have no room for
// them all, nothing pasted and the message that says how much room there is in
// each table that lacks it ("Room for 1 more point, 1 more line").
struct Paste {
    Group pasted;
    std::string refusal;  // empty when pasted
};
// Adds the clip with its top-left cell at (x, y), moved left and up as far as
// it needs to fit on the canvas.
Paste pasteClip(PictureTables& t, const Clip& clip, int x, int y);

#endif
