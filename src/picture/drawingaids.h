// drawingaids.h - the geometry of the drawing aids: mirror images of points and
// lines about the canvas's centre, the line end or point nearest the pointer,
// and a line's end kept horizontal, vertical or at 45 degrees.
//
// Plain functions of cells and tables, with no window: the editor (aids.h)
// wires them to its keys, its cursor and its frame. The mirror's edits work on
// a copy of the tables, which the caller hands to Picture::replace (or
// replaceInStroke), so that a point or line and its images are one step:
//
//     PictureTables edited = picture.tables();
//     const int missed = addMirroredLine(edited, {{10, 10}, {40, 20}}, Mirror::both);
//     picture.replace(edited);                                  // missed: images with no room
//     const auto end = nearestEnd(t, 40.3, 20.8, 8.0, shownCells);  // a line end or point, if near
//     const Cell straight = straightEnd({10, 10}, {40, 22});        // {40, 10}
//
// The axes lie between the canvas's middle columns and rows: column c mirrors
// to 255 - c and row r to 199 - r, so every image of a canvas cell is a canvas
// cell too.
#ifndef TESSARY_DRAWINGAIDS_H
#define TESSARY_DRAWINGAIDS_H

#include <optional>
#include <vector>

#include "coverage.h"
#include "strokes.h"
#include "tables.h"

// A line from cell a to cell b; the same line as the one from b to a.
struct Segment {
    Cell a, b;
    bool sameLine(const Segment& other) const {
        return (a == other.a && b == other.b) || (a == other.b && b == other.a);
    }
};

// The mirror: off, about the vertical axis, about the horizontal one, or both (four-fold).
enum class Mirror { off, leftRight, topBottom, both };
// The next in the cycle off, left-right, top-bottom, both, off.
Mirror nextMirror(Mirror m);
bool mirrorsLeftRight(Mirror m);
bool mirrorsTopBottom(Mirror m);

// The column and row the axes lie just left of and just above.
constexpr int mirrorAxisColumn = Image_Width / 2;
constexpr int mirrorAxisRow = Image_Height / 2;

// The cell and its mirror images, the cell first, each distinct cell once.
std::vector<Cell> mirrorImages(Cell c, Mirror m);
// The line and its mirror images, the line first; an image that is the line
// itself, or another image, either way round, is left out.
std::vector<Segment> mirrorImages(const Segment& s, Mirror m);

// Places a point at each of the cell's images (the cell first) that holds none,
// while the point table has room; returns how many found it full.
int placeMirrored(PictureTables& t, Cell c, Mirror m);
// Erases the first point at each of the cell's images.
void eraseMirrored(PictureTables& t, Cell c, Mirror m);
// Adds the line and then its images while the line table has room; returns how
// many found it full.
int addMirroredLine(PictureTables& t, const Segment& s, Mirror m);

// The end of a line in use or the point in use nearest to (x, y), a position in
// cells (cell c spans c to c + 1, its centre at c + 0.5), among the cells of
// `within` whose centre lies no farther than `radius` cells. Of ends equally
// near, the first of: lines' first ends, their second ends, points, each by
// entry.
std::optional<Cell> nearestEnd(const PictureTables& t, double x, double y, double radius, CellBox within);

// The end for a line from `from` towards `to` kept horizontal, vertical or at
// 45 degrees, whichever direction is nearest that from `from` to `to`: the cell
// of that direction nearest `to`. With both cells on the canvas, so is the end
// (a diagonal stops at the edge).
Cell straightEnd(Cell from, Cell to);

#endif
