// ildafile.h - a drawing order (drawingorder.h) as one frame of an ILDA file
// (Image Data Transfer Format, revision 011), the laser-show exchange format.
//
// The file is a header of 32 bytes, the frame's records of format 5 (2D, true
// colour), and a closing header that has no records:
//
//   header  "ILDA", 0, 0, 0, 5, frame name (8 bytes, zero padded), company
//           name (8), records (2), frame number 0 (2), frames 1 (2),
//           projector 0, 0
//   record  x (2), y (2), status, blue, green, red
//
// Numbers of two bytes are big-endian; x and y are signed. x = 256 (column -
// 128) and y = 256 (100 - row): the canvas centred, upright, its aspect kept.
// Status bit 6 (blanking) marks a record that the beam travels to unlit, bit 7
// the last record. Each stroke starts with a blanked record at its first cell,
// then is lit from there in `color`; a dot is lit there for dotDwell records.
// Lines longer than litStep cells get records between their ends, evenly
// spaced and exactly on them (a line is cut into a power of two pieces, and
// every cell lies on a multiple of 256), so that a scanner paints it evenly.
// An empty picture is one blanked record at the centre, since a frame without
// records would read as the end of the file. Full tables stay far below the
// 65535 records a frame can hold: no line is cut into more than 64 pieces.
#ifndef TESSARY_ILDAFILE_H
#define TESSARY_ILDAFILE_H

#include <string>
#include <vector>

#include "gfx.h"
#include "strokes.h"

constexpr int ildaUnitsPerCell = 256;
constexpr int litStep = 8;  // cells, at most, between lit records along a line
constexpr int dotDwell = 3;
constexpr unsigned char ildaBlanked = 0x40, ildaLast = 0x80;

// The whole file; `frameName` and `companyName` are cut to 8 bytes.
std::string encodeIlda(const std::vector<Stroke>& order, ColorRGB color, const std::string& frameName,
                       const std::string& companyName);

#endif
