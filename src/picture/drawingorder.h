// drawingorder.h - the order in which a pen plotter or a laser draws the
// picture's strokes, chosen to keep the travel between them short.
//
// The machine starts at its origin, the bottom-left cell, and draws every
// stroke (strokes.h) once, each from whichever end makes the order shorter.
// The pen-up travel (the straight moves from the end of one stroke to the
// start of the next, and to the first from the origin) is what the order saves:
//
//     const std::vector<Stroke> order = drawingOrder(tables);
//     penUpTravel(order);  // in cells; at most that of greedyOrder
//
// The order starts from the greedy one (always on to the nearest free end) and
// improves it by reversing runs of strokes and moving short runs elsewhere,
// either way round, while that shortens the travel. The work is bounded by a
// count of moves tried, not by a clock, so the same picture always gives the
// same order, however busy the machine.
#ifndef TESSARY_DRAWINGORDER_H
#define TESSARY_DRAWINGORDER_H

#include <vector>

#include "strokes.h"

constexpr Cell plotterOrigin = {0, Image_Height - 1};

// The picture's strokes in the order and direction to draw them.
std::vector<Stroke> drawingOrder(const PictureTables& tables);

// The strokes ordered greedily: from the origin, always on to the nearest end
// of a stroke not drawn yet (the first such stroke on a tie), drawn from there.
std::vector<Stroke> greedyOrder(const std::vector<Stroke>& strokes);

// The improved order of the same strokes, at most as long as the greedy one.
std::vector<Stroke> shortOrder(const std::vector<Stroke>& strokes);

// The length, in cells, of the moves between the strokes in this order, from the origin.
double penUpTravel(const std::vector<Stroke>& order);

#endif
