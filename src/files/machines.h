// machines.h - the user's plotter and laser in one settings file: the paper
// the plotter draws on, its pen and program lines, and what the laser
// projector scans.
//
// The file is TOML, $XDG_CONFIG_HOME/tessary/machines.toml (~/.config/...
// when unset), or the file the command line names with --machines. Every key
// is optional, and a missing default file is the defaults; examples/machines.toml
// lists every key:
//
//     [paper]   size = "a4" | "a3" | "a5" | "letter" | "WxH" (mm)
//               orientation = "landscape" | "portrait", margin = 10 (mm)
//     [gcode]   pen = "z" | "servo", pen_up, pen_down, start, end (G-code
//               lines, written as given), feed, travel_feed (mm a minute)
//     [laser]   scan_rate (points a second), frame_rate (frames a second),
//               colour (palette number 1-16)
//
// A file that cannot be read, is no TOML, or holds an unknown key or a wrong
// value is refused whole, with its name, line and reason, so that nothing is
// ever written with half a profile:
//
//     const MachinesRead read = readMachines(machinesPath(""));
//     if (read.failure) ... read.failure->full()   // "machines.toml line 4: pen_down: expected a string"
//     else use read.profile
#ifndef TESSARY_MACHINES_H
#define TESSARY_MACHINES_H

#include <optional>
#include <string>

#include "filemessage.h"

// A sheet as named: "a4" is 297 x 210 mm (named sizes lie landscape), "300x200"
// is 300 mm wide and 200 mm high.
struct SheetSize {
    double width = 0, height = 0;  // mm
    std::string name;              // "A4", "Letter", "300 x 200 mm"
    bool named = false;            // one of the named sizes, which turn landscape unless told otherwise
};

enum class Orientation { asGiven, landscape, portrait };

struct PaperSettings {
    std::optional<SheetSize> size;  // none: 1 mm a cell from the machine's zero
    Orientation orientation = Orientation::asGiven;
    double margin = 10;  // mm, on every side
};

// The sheet as it lies, width and height in mm, and its name with how it lies.
struct Sheet {
    double width, height, margin;
    std::string name;  // "A4 landscape", "300 x 200 mm"
};

enum class PenLift { z, servo };

struct GcodeSettings {
    PenLift pen = PenLift::z;
    std::optional<std::string> penUp, penDown;  // given lines; none: the pen's own (penUpLines)
    std::string start;       // after the units and the absolute mode, before the pen first goes up
    std::string end = "M2";  // after the move back to the origin
    double feed = 1500;      // mm a minute, drawing
    std::optional<double> travelFeed;  // mm a minute, pen up; none: the machine's rapid rate
};

struct LaserSettings {
    int scanRate = 30000;  // points a second
    int frameRate = 20;    // frames a second wanted
    int colour = 0;        // palette number 1-16; 0: the drawing colour
};

struct MachineProfile {
    PaperSettings paper;
    GcodeSettings gcode;
    LaserSettings laser;
};

struct MachinesRead {
    MachineProfile profile;
    std::optional<FileMessage> failure;  // "<path> line 4: pen_down: expected a string"
};

// `given` when not empty, else $XDG_CONFIG_HOME/tessary/machines.toml, or
// ~/.config/tessary/machines.toml when that is unset or not absolute; empty,
// which reads as a missing file, without a home folder.
std::string machinesPath(const std::string& given);

// The profile in the file at `path`. A missing file is the defaults when
// `mustExist` is false (the default file), a failure when true (a file named).
MachinesRead readMachines(const std::string& path, bool mustExist);

// "a4", "A3", "letter", "300x200" (mm, each side above 0 and at most 10 m); none otherwise.
std::optional<SheetSize> sheetSize(const std::string& text);

// The sheet the paper settings give, turned as they say; none without a size.
// Named sizes lie landscape unless the orientation is portrait.
std::optional<Sheet> paperSheet(const PaperSettings& paper);

// Why the margins leave no room to draw on the sheet; empty when they do.
std::string paperProblem(const PaperSettings& paper);

// The pen's lines of G-code (one or more, joined by newlines): those given,
// else the pen's own: "G0 Z2" / "G0 Z0", or a servo's "M5" / "M3 S1000", each
// followed by a "G4 P0.2" pause while the servo turns.
std::string penUpLines(const GcodeSettings& gcode);
std::string penDownLines(const GcodeSettings& gcode);

#endif
