// plotterfiles.h - the picture as files for machines that draw: HP-GL and
// G-code for pen plotters, an ILDA frame for laser projectors.
//
// The picture of slot nr goes to "picture<nr>.hpgl", "picture<nr>.gcode" and
// "picture<nr>.ild" in the working directory, all three in one drawing order
// (drawingorder.h), each replaced atomically and on its own, like the image
// files: one that cannot be written does not keep the others from being written.
//
//     const PlotterFiles files = plotterFileNames(1);
//     for (const FileFailure& f : writePlotterFiles(tables, files, {drawing, "picture1"})) ...
#ifndef TESSARY_PLOTTERFILES_H
#define TESSARY_PLOTTERFILES_H

#include <string>
#include <vector>

#include "filereplace.h"
#include "gfx.h"
#include "strokes.h"
#include "tables.h"

// Paths of the three files; an empty path is not written.
struct PlotterFiles {
    std::string hpgl;
    std::string gcode;
    std::string ilda;
};

// What the laser's frame shows: the beam's colour, and the frame's name.
struct LaserFrame {
    ColorRGB color;
    std::string name;
};

// "picture<nr>.hpgl", "picture<nr>.gcode" and "picture<nr>.ild".
PlotterFiles plotterFileNames(int nr);

// The ILDA frame's name for slot nr's picture, "picture<nr>"; its company name is "Tessary".
std::string laserFrameName(int nr);

// The ILDA file of one frame: the picture drawn in `order` by the laser of `frame`.
std::string ildaFrameFile(const std::vector<Stroke>& order, const LaserFrame& frame);

// Writes the picture to each named file, each on its own. Returns the files
// that could not be written (each left as it was), with their reasons, in the
// order HP-GL, G-code, ILDA.
std::vector<FileFailure> writePlotterFiles(const PictureTables& tables, const PlotterFiles& files,
                                           const LaserFrame& frame);

#endif
