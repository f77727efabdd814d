// state.h - the editor's state, owned by runEditor for the whole run.
//
// Every step of the main loop's pass takes this struct, so each step can be
// called and tested on its own. The picture, with its tables, counts and undo
// history, is a member; the palette is a constant of picture.h.
#ifndef TESSARY_STATE_H
#define TESSARY_STATE_H

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "animationfiles.h"
#include "arrowpace.h"
#include "drawingaids.h"
#include "coverage.h"
#include "gfx.h"
#include "group.h"
#include "linefinding.h"
#include "picture.h"
#include "shownframe.h"
#include "traceimage.h"
#include "tracereading.h"

enum Mode { pointMode = 0, lineMode = 1, selectionMode = 2, groupMode = 3 };

// What a step of the pass tells the loop. Idle: the pass changed nothing, and
// the next one would do the same until an event arrives.
enum class PassResult { Continue, Quit, Idle };

// The help page (help.h): closed, shown after the key that opened it is let go,
// closing until the key or button that closes it is let go.
enum class HelpPage { closed, opening, shown, closing };

// Group mode (groupmode.h): the group selected, and the left-button drag in progress.
enum class GroupDrag { none, band, move };
struct GroupState {
    Group selected;
    PictureTables selectedIn;  // the tables the group was selected on: any other change drops it
    GroupDrag drag = GroupDrag::none;
    bool adding = false;          // the band adds to the group (Shift at its start)
    int anchorX = 0, anchorY = 0; // the cell where the drag started
    int cornerX = 0, cornerY = 0; // band: the opposite corner, as drawn
    int movedX = 0, movedY = 0;   // move: cells moved since the drag started
    bool buttonHeld = false;      // the left button as of the last group step

    auto values() const {
        return std::tie(selected, selectedIn, drag, adding, anchorX, anchorY, cornerX, cornerY, movedX, movedY,
                        buttonHeld);
    }
    bool operator==(const GroupState& other) const { return values() == other.values(); }
};

// The image traced over (tracing.h): never part of the picture.
struct Tracing {
    std::string path;  // as chosen; empty while none is
    bool shown = false;
    std::shared_ptr<const TraceImage> image;  // null while none is read
    // The image being read, to show once it is; null while none is. Dropping
    // it cancels the reading.
    std::shared_ptr<TraceReading> reading;
    std::string readingName;    // its name as the user gave it, for messages
    bool readingQuiet = false;  // its news stays off the prompt line (the start's news is there)

    // The shown colours of the cells under the picture (colorunder.h) as
    // surface pixels, row by row, for the image, onion skin and colours they
    // were made for; remade when any of them changes.
    struct Pixels {
        std::shared_ptr<const TraceImage> image;
        std::shared_ptr<const Coverage> onion;
        ColorRGB background, draw;
        std::vector<Uint32> values;
    };
    mutable Pixels pixels;
};

// Lines being found in the traced image (vectorizing.h).
struct LineFindingState {
    std::shared_ptr<LineFinding> running;  // null while none is; dropping it cancels the work
    bool escapeHeld = false;               // Escape cancelled it and is not let go yet
};

// The onion skin (onionskin.h): the previous slot's saved picture, shown
// dimmed under the picture; never part of it.
struct OnionSkin {
    bool shown = false;
    int slot = 0;  // the slot `cells` was read from; 0 while none was
    std::shared_ptr<const Coverage> cells;  // the cells its picture covers; null while hidden
};

struct Editor {
    int mode = pointMode;
    int scale = 1;      // window pixels per canvas cell; never below 1
    int X_Start = 0;    // canvas column at the left edge of the view area
    int Y_Start = 0;    // canvas row at the top edge of the view area
    int X_Add = 1;      // cells per step panned by Left/Right
    int Y_Add = 1;      // cells per step panned by Up/Down
    ArrowHolds arrows;  // the pace of each held arrow
    int separate = 0;   // 1: lines drawn in dark green
    int nr = 1;         // current picture slot, 1..7
    ColorRGB Background_Color = Colors[0];
    ColorRGB Draw_Color = Colors[5];
    Picture picture;
    Tracing trace;  // the image traced over, never part of the picture
    LineFindingState finding;  // lines being found in it
    std::string machinesFile;  // the plotter and laser settings Shift+E reads (machines.h); empty: the default file
    OnionSkin onion;
    int fps = defaultFps;  // the animation's frames a second (animation.h)

    // Line entry: start and end cell of the line being entered, and its phase
    // (-1 search, 0 idle, 1 rubber band, 2 store; 0 or 1 between passes).
    int line_sx = 0, line_sy = 0, line_ex = 0, line_ey = 0;
    int line_phase = 0;

    // Selection: lop lines found by the last search, their indices in lopp,
    // the selected one at position forerase.
    int lop = 0;
    std::array<int, l_number> lopp{};
    int forerase = 0;

    // Mouse as read this pass, and the cursor cell it maps to.
    int mouseX = 0, mouseY = 0;
    bool LMB = false, RMB = false;
    int rmouseX = 0, rmouseY = 0;
    bool cursorShown = false;  // false until the first pass has drawn a cursor
    // A key ended the group drag of the left button, still held: the button
    // does nothing until it is let go (its release is no click in line mode).
    bool leftHoldSpent = false;

    // The event of the pass: taken by the loop test, or by line mode's step when
    // that took none; SDL_NOEVENT when there was none or line mode has acted on it.
    SDL_Event event2 = {};
    HelpPage help = HelpPage::closed;  // the help page over the view, while not closed
    // What the window shows (frame.h); like the picture and event2 not among the
    // values below, since it follows from them.
    ShownFrame shown;

    GroupState group;
    Clip clip;  // the last group copied or cut, kept for the whole run

    // The drawing aids (aids.h): what is drawn is drawn at its mirror images
    // too, and line ends snap to the ends already there.
    Mirror mirror = Mirror::off;
    bool snap = false;

    // Every field above but the picture and event2 (which each pass fills
    // anew), copied into one comparable tuple: the part of the
    // state that a pass which changed nothing leaves equal. A new field
    // belongs here too.
    auto values() const {
        return std::make_tuple(mode, scale, X_Start, Y_Start, X_Add, Y_Add, arrows, separate, nr, Background_Color,
                               Draw_Color, line_sx, line_sy, line_ex, line_ey, line_phase, lop, lopp, forerase,
                               mouseX, mouseY, LMB, RMB, rmouseX, rmouseY, cursorShown, leftHoldSpent, help, group,
                               clip, trace.path, trace.shown, finding.escapeHeld, mirror, snap, onion.shown,
                               onion.slot, fps);
    }
};

#endif
