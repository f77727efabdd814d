// export.h - the export keys: the sorted tables (r), the image files (e),
// the files for plotters and lasers (Shift+E) and the animation of the slots
// (Ctrl+E).
//
// The files are written by exportfiles.h, imagefiles.h, plotterfiles.h and
// animationfiles.h;
// this module asks for the sort keys and reports on the prompt line what was
// written, or the first file that could not be written with the system's
// reason (and each on standard error). Nothing else on screen changes. Every
// write runs inside a WriteInProgress (endsignals.h): an ending signal never
// cuts it.
#ifndef TESSARY_EXPORT_H
#define TESSARY_EXPORT_H

#include <string>

#include "animationfiles.h"
#include "imagefiles.h"
#include "plotterfiles.h"
#include "state.h"

// The prompt line's reports of success: "Exported slot 3",
// "Wrote picture3.svg, .png" and "Wrote picture3.hpgl, .gcode, .ild".
std::string exportedText(int nr);
std::string imagesWrittenText(const ImageFiles& files);
std::string plotterFilesWrittenText(const PlotterFiles& files);
// "Wrote animation.ild, .gif (5 frames)".
std::string animationWrittenText(const AnimationFiles& files, size_t frames);

// Sorts the picture and writes slot nr's export files (exportfiles.h), and says
// so on the prompt line. Returns false, after reporting, when a file could not
// be written.
bool exportPicture(Picture& picture, int nr, int mode1, int mode2);

void exportCommand(Editor& e);        // key r: asks for both sort keys, then exports
void exportImagesCommand(const Editor& e);   // key e
// Shift+E: HP-GL, G-code and ILDA for the machines of the settings file (read
// each time; a file refused is reported with its line, and nothing written),
// the laser in the drawing colour unless the file chooses one. Reports the
// laser frame's note (laserframe.h) instead of "Wrote" when it has one.
void exportPlotterCommand(const Editor& e);
// Ctrl+E: the ILDA show and the animated GIF of the frames (animation.h) at
// e.fps, the show for the laser of the settings file as Shift+E's frame;
// reports the note of its largest frame instead of "Wrote" when it has one.
// With no frame, or a settings file refused, says so and writes nothing.
void exportAnimationCommand(const Editor& e);

#endif
