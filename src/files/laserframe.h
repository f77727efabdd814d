// laserframe.h - the picture as one laser frame: the records a projector's
// mirrors scan, laid out so that the frame plays without streaks, rounded
// corners or flicker. The ILDA writer (ildafile.h) puts them in a file; a
// show of several frames lays out each of them here, alike.
//
// The strokes go in drawing order (drawingorder.h), on a field of 65536 units
// a side, 256 a cell: x = 256 (column - 128), y = 256 (100 - row), the canvas
// centred and upright. For each stroke the beam, blanked, steps from where the
// last stroke ended (the frame's last, for the first: a frame repeats) in
// steps of at most 1/16 of the field, and waits there laserWait records; lit,
// it dwells laserDwell records at the stroke's start, runs along its lines
// with records between their ends, dwells laserDwell records at every corner
// that turns by more than 45 degrees and at the stroke's end, then, blanked,
// waits laserWait records there. A dot is a dwell.
//
// Records along a line are evenly spaced and exactly on it (a line is cut into
// a power of two pieces, at most litStep cells long). The frame holds at most
// scan_rate / frame_rate records (machines.h) when the picture allows: lines
// are cut into fewer pieces first, down to their ends alone; the waits, steps
// and dwells always stay. An empty picture is one blanked record at the centre.
//
//     const LaserFrame frame = layoutLaserFrame(drawingOrder(tables), drawingColor, profile.laser);
//     if (const std::optional<LaserNote> note = laserFrameNote(frame, profile.laser)) ...  // how it plays, its colour
#ifndef TESSARY_LASERFRAME_H
#define TESSARY_LASERFRAME_H

#include <optional>
#include <string>
#include <vector>

#include "gfx.h"
#include "machines.h"
#include "strokes.h"

constexpr int ildaUnitsPerCell = 256;
constexpr int blankedStepLimit = 65536 / 16;  // ILDA units
constexpr int laserWait = 5, laserDwell = 3;   // records
constexpr int litStep = 8;                     // cells, at most, between lit records along a line when there is room
constexpr int laserRecordLimit = 65535;        // a frame's count is two bytes

struct LaserRecord {
    int x, y;  // ILDA units
    bool lit;
    bool operator==(const LaserRecord& o) const { return x == o.x && y == o.y && lit == o.lit; }
};

struct LaserFrame {
    std::vector<LaserRecord> records;  // never empty
    ColorRGB color;                    // the beam's colour where it is lit
    bool drawnWhite = false;           // the colour asked for gives no visible beam: white instead
    bool black = false;                // ... because it is black
    size_t budget = 0;                 // the records the wanted frame rate allows
};

// The frame of the picture drawn in `order` (drawingOrder of its tables), lit
// in the profile's colour, else the drawing colour.
LaserFrame layoutLaserFrame(const std::vector<Stroke>& order, ColorRGB drawingColor, const LaserSettings& laser);

// What the user should know of a frame, when anything: a colour drawn white
// ("Laser drawn in white: black gives no beam"), and how it plays when it holds
// more than its budget ("Laser frame: 4,210 points, 7 frames/s"). `whole` has
// a line for each, for standard error; `shown` says both within the prompt
// line's 40 characters ("Laser white; 4,210 points, 7 frames/s").
struct LaserNote {
    std::string shown, whole;
};
std::optional<LaserNote> laserFrameNote(const LaserFrame& frame, const LaserSettings& laser);

// A colour too dark to show as a beam: each of its channels below a third of full power.
bool tooDarkForBeam(ColorRGB color);

#endif
