// render.h - rendering a slot, or slots as an animation, to files without a
// window (tessary --render).
//
// Reads slot nr from the working directory with the editor's own reader and
// writes the files named, exactly as the editor's keys e (images) and Shift+E
// (plotter and laser files) would with the same colours and the same settings
// file (machines.h), whose paper and pen the command line may override; or
// reads several slots and writes their ILDA show and animated GIF as Ctrl+E
// would. No SDL video call is made, so no display is needed.
#ifndef TESSARY_RENDER_H
#define TESSARY_RENDER_H

#include <optional>
#include <string>
#include <vector>

#include "animationfiles.h"
#include "imagefiles.h"
#include "machines.h"
#include "pictureimage.h"
#include "plotterfiles.h"

// The command line's --paper, --margin, --portrait and --pen, over the settings file's.
struct MachineOverrides {
    std::optional<SheetSize> paper;
    std::optional<double> margin;
    bool portrait = false;
    std::optional<PenLift> pen;  // also drops the file's own pen lines
};

struct RenderRequest {
    int nr;
    ImageFiles files;
    PlotterFiles plotterFiles;
    ImageColors colors;        // the laser's frame is in the drawing colour unless the settings choose one
    std::string machinesFile;  // empty: the default settings file, which may be missing
    MachineOverrides overrides;
};

// A slot file that cannot be read renders as an empty table and is reported on
// standard error, as the editor's load reports it; a slot with neither file is
// no picture, and nothing is written. The laser frame's note goes to standard
// error. Returns the exit status: 0, or 1, after reporting it, when the slot
// has neither file, the settings file is refused (nothing is written then), a
// margin leaves no room on the paper, or a file could not be written (with the
// system's reason).
int renderSlot(const RenderRequest& request);

struct AnimationRequest {
    std::vector<int> slots;  // in slot order
    AnimationFiles files;
    ImageColors colors;        // the laser's frames are in the drawing colour unless the settings choose one
    std::string machinesFile;  // empty: the default settings file, which may be missing
    int fps;
};

// The slots that hold a picture are the frames; each of the others is left
// out and said so on standard error, as is a frame's file that could not be
// read whole. The laser frames' note goes to standard error. Returns the exit
// status: 0, or 1, after reporting it, when no slot holds a picture, the
// settings file is refused or a file could not be written.
int renderAnimation(const AnimationRequest& request);

#endif
