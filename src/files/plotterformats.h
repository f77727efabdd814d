// plotterformats.h - a drawing order (drawingorder.h) as text for pen plotters:
// HP-GL and G-code.
//
// Both start at the plotter's origin, the bottom-left cell, with the pen up,
// travel to each stroke with the pen up, draw it with the pen down, and end
// with the pen up. The picture stands upright: rows count up from the bottom.
//
//   HP-GL: "IN;", pen 1 ("SP1;"), "PUx,y;" to travel, "PDx,y,...;" to draw, a
//   dot as "PD;" where the pen stands, then "PU;SP0;". 40 plotter units (1 mm)
//   a cell: x = 40 column, y = 40 (199 - row).
//
//   G-code: millimetres and absolute moves ("G21", "G90"); the pen goes up
//   with "G0 Z5" and down with "G1 Z0 F500"; travel is "G0 X.. Y..", drawing
//   "G1 X.. Y.. F1500" (mm a minute). 1 mm a cell: X = column, Y = 199 - row.
//
// One instruction a line, whole numbers only.
#ifndef TESSARY_PLOTTERFORMATS_H
#define TESSARY_PLOTTERFORMATS_H

#include <string>
#include <vector>

#include "strokes.h"

constexpr int hpglUnitsPerCell = 40;
constexpr int penDownFeed = 500;  // mm a minute, lowering the pen
constexpr int drawingFeed = 1500;  // mm a minute, drawing

std::string encodeHpgl(const std::vector<Stroke>& order);
std::string encodeGcode(const std::vector<Stroke>& order);

#endif
