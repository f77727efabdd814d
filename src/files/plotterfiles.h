// plotterfiles.h - the picture as files for machines that draw: HP-GL and
// G-code for pen plotters, an ILDA frame for laser projectors.
//
// The picture of slot nr goes to "picture<nr>.hpgl", "picture<nr>.gcode" and
// "picture<nr>.ild" in the working directory, all three in one drawing order
// (drawingorder.h), made for the user's machines (machines.h): the plotter
// files fitted to the paper (plotterformats.h), the laser's frame within what
// a projector scans (laserframe.h). Each is replaced atomically and on its
// own, like the image files: one that cannot be written does not keep the
// others from being written.
//
//     const PlotterFiles files = plotterFileNames(1);
//     const PlotterWrite written = writePlotterFiles(tables, files, {"picture1", drawing, profile});
//     written.failed ...; written.note ...  // the laser frame's note, for the user
#ifndef TESSARY_PLOTTERFILES_H
#define TESSARY_PLOTTERFILES_H

#include <string>
#include <vector>

#include "filereplace.h"
#include "gfx.h"
#include "laserframe.h"
#include "machines.h"
#include "tables.h"

// Paths of the three files; an empty path is not written.
struct PlotterFiles {
    std::string hpgl;
    std::string gcode;
    std::string ilda;
};

// What the files are made of besides the picture: its name (the ILDA frame's,
// and in the G-code's first comment), the drawing colour (the laser's, unless
// the profile chooses one) and the user's machines.
struct PlotterJob {
    std::string name;
    ColorRGB drawingColor;
    MachineProfile machines;
};

struct PlotterWrite {
    std::vector<FileFailure> failed;  // with their reasons, in the order HP-GL, G-code, ILDA
    std::optional<LaserNote> note;    // the laser frame's (laserFrameNote), when its file was asked for
};

// "picture<nr>.hpgl", "picture<nr>.gcode" and "picture<nr>.ild".
PlotterFiles plotterFileNames(int nr);

// The ILDA frame's name for slot nr's picture, "picture<nr>"; its company name is "Tessary".
std::string laserFrameName(int nr);

// The ILDA file of one laser frame named `name`: Shift+E's, and each frame of
// the animation's show (animationfiles.h).
std::string ildaFrameFile(const LaserFrame& frame, const std::string& name);

// Writes the picture to each named file, each on its own; a file that could
// not be written is left as it was.
PlotterWrite writePlotterFiles(const PictureTables& tables, const PlotterFiles& files, const PlotterJob& job);

#endif
