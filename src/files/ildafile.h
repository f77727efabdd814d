// ildafile.h - a laser frame (laserframe.h) as an ILDA file (Image Data
// Transfer Format, revision 011), the laser-show exchange format.
//
// The file is a header of 32 bytes, the frame's records of format 5 (2D, true
// colour), and a closing header that has no records:
//
//   header  "ILDA", 0, 0, 0, 5, frame name (8 bytes, zero padded), company
//           name (8), records (2), frame number 0 (2), frames 1 (2),
//           projector 0, 0
//   record  x (2), y (2), status, blue, green, red
//
// Numbers of two bytes are big-endian; x and y are signed. Status bit 6
// (blanking) marks a record that the beam travels to unlit, in black; bit 7
// the last record.
#ifndef TESSARY_ILDAFILE_H
#define TESSARY_ILDAFILE_H

#include <string>

#include "laserframe.h"

constexpr unsigned char ildaBlanked = 0x40, ildaLast = 0x80;

// The whole file; `frameName` and `companyName` are cut to 8 bytes.
std::string encodeIlda(const LaserFrame& frame, const std::string& frameName, const std::string& companyName);

#endif
