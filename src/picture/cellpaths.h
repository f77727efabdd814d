// cellpaths.h - lines found in an image, put on the canvas's cells within the
// room the picture has.
//
// An outline or a centre line is found as a path of spots on a grid finer
// than the cells (TracedPath). placeOnCells simplifies each path (Douglas and
// Peucker's method: the fewest corners that keep every spot within the
// tolerance of the lines between them), puts its corners on the cells they lie
// in, and counts the lines that are new to the picture: no line twice (either
// way round), none of zero length, none off the canvas. The tolerance starts
// below a cell, so that a wobble of a pixel of the fine grid never becomes a
// staircase of lines, and grows step by step until the lines fit the line
// table's free entries; should even the coarsest step not make them fit, the
// largest shapes are placed first and the smallest left out. A path of a
// whole shape that shrinks to one cell is a dot, for the point table where it
// has room.
//
//     const PlacedLines placed = placeOnCells(paths, picture.tables());
//     picture.replace(withPlacedLines(picture.tables(), placed));  // one undo step
#ifndef TESSARY_CELLPATHS_H
#define TESSARY_CELLPATHS_H

#include <vector>

#include "strokes.h"
#include "tables.h"

// A place on the canvas in cells: cell (c, r) spans [c, c + 1) x [r, r + 1).
struct Spot {
    double x, y;
};

struct TracedPath {
    std::vector<Spot> spots;
    bool closed = false;      // the last spot joins the first
    bool wholeShape = false;  // the path is all there is of its shape: shrunk to a cell, it is a dot
};

// The tolerances tried, in cells, finest first.
constexpr double placingTolerances[] = {0.5, 1, 1.5, 2, 3, 4, 6, 8};

struct CellLine {
    Cell from, to;
};

struct PlacedLines {
    std::vector<CellLine> lines;  // new to the picture, as many as its free entries at most
    std::vector<Cell> points;     // dots, as many as the point table's free entries at most
    double tolerance = placingTolerances[0];
    bool shapesLeftOut = false;   // the coarsest tolerance was not enough: the smallest shapes are missing
};

PlacedLines placeOnCells(const std::vector<TracedPath>& paths, const PictureTables& picture);

// The tables with the lines and points placed added to them.
PictureTables withPlacedLines(PictureTables tables, const PlacedLines& placed);

#endif
