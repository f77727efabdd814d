// plotterformats.h - a drawing order (drawingorder.h) as text for pen plotters:
// HP-GL and G-code, placed on the plotter as the user's paper says (machines.h).
//
// Both start with the pen up, travel to each stroke with the pen up, draw it
// with the pen down, and end with the pen up. The picture stands upright: rows
// count up from the bottom. Without a paper it is drawn 1 mm a cell from the
// plotter's origin, the bottom-left cell there; with one, the canvas is scaled
// by one factor to the largest size that fits inside the margins, and centred
// on the sheet (plotterLayout).
//
//   HP-GL: "IN;", pen 1 ("SP1;"), "PUx,y;" to travel, "PDx,y,...;" to draw, a
//   dot as "PD;" where the pen stands, then "PU;SP0;". 40 plotter units a mm,
//   whole numbers.
//
//   G-code: a first comment line saying what the file holds, millimetres and
//   absolute moves ("G21", "G90"), the profile's start lines, then the pen's
//   lines (penUpLines and penDownLines: "G0 Z2" and "G0 Z0" unless told
//   otherwise) around each stroke; travel is "G0 X.. Y.." (with the travel
//   feed when one is set), drawing "G1 X.. Y.. F1500" (the feed, mm a minute).
//   The file ends with the pen up, "G0 X0 Y0" and the end lines ("M2").
//   Numbers in mm to a thousandth, without trailing zeros.
//
// One instruction a line.
#ifndef TESSARY_PLOTTERFORMATS_H
#define TESSARY_PLOTTERFORMATS_H

#include <optional>
#include <string>
#include <vector>

#include "machines.h"
#include "strokes.h"

constexpr int hpglUnitsPerMm = 40;

// Where the canvas lands: mm a cell, and the place in mm of column 0 and of
// the bottom row. Without a sheet, {1, 0, 0}.
struct PlotterLayout {
    double scale = 1, left = 0, bottom = 0;
};
PlotterLayout plotterLayout(const std::optional<Sheet>& sheet);

// The G-code's first comment, without its "; ": "picture1: 12 lines, 3 dots,
// 255 x 199 mm on A4 landscape (297 x 210 mm, margin 10 mm)", or "... from the
// machine's zero" without a sheet.
std::string plotDescription(const std::string& name, const std::vector<Stroke>& order, const PlotterLayout& layout,
                            const std::optional<Sheet>& sheet);

std::string encodeHpgl(const std::vector<Stroke>& order, const PlotterLayout& layout);
std::string encodeGcode(const std::vector<Stroke>& order, const PlotterLayout& layout, const GcodeSettings& gcode,
                        const std::string& description);

#endif
