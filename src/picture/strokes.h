// strokes.h - the picture as a machine draws it: strokes, each drawn without
// lifting the pen or blanking the beam.
//
// Every distinct line of the picture (a line and the same one drawn backwards
// are one) lies in exactly one stroke, and lines that meet end to end are
// chained into one stroke wherever the lines allow: each connected web of lines
// takes as few strokes as it can (one, or one for each pair of cells where an
// odd number of lines end). Every point, and every line of zero length, is a
// dot: a stroke of one cell. Entries with a cell off the canvas draw nothing,
// as on screen.
//
//     for (const Stroke& stroke : pictureStrokes(tables))
//         pen to stroke.front(), then down along stroke[1..]
#ifndef TESSARY_STROKES_H
#define TESSARY_STROKES_H

#include <vector>

#include "tables.h"

struct Cell {
    int x, y;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Cell& other) const { return !(*this == other); }
    bool operator<(const Cell& other) const { return x != other.x ? x < other.x : y < other.y; }
};

// Cells joined by straight lines, from the first to the last; one cell is a dot.
using Stroke = std::vector<Cell>;

// The picture's strokes, dots last, in an order that depends on the picture alone.
std::vector<Stroke> pictureStrokes(const PictureTables& tables);

#endif
