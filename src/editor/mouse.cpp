// mouse.cpp - the red cursor cell and mouse editing in point, line and selection mode.
//
// The cursor and the rubber band live only on the window surface: each is
// removed by painting it over in the colour under it (colorUnder): the
// background colour, or the image traced over. Searches for a point
// at the cursor cell see only entries in use, and no step acts on a cell off
// the canvas, so an empty entry's -1 is never taken for a point.
#include "mouse.h"

#include "aids.h"
#include "colorunder.h"
#include "groupmode.h"
#include "keypress.h"
#include "selection.h"
#include "view.h"

static const ColorRGB red(255, 0, 0);

static bool pointsFull(const Editor& e) { return e.picture.tables().pixels_Amount >= p_number; }
static bool linesFull(const Editor& e) { return e.picture.tables().lines_amount >= l_number; }

static bool cursorOnCanvas(const Editor& e) { return onCanvas(e.rmouseX, e.rmouseY); }

static void paintCursor(const Editor& e, ColorRGB color, ViewBounds bounds) {
    pixelScaled(e.scale, e.rmouseX, e.rmouseY, color, e.X_Start, e.Y_Start, 0, bounds);
}

void moveCursor(Editor& e) {
    const ViewBounds bounds = viewBounds(e);
    if (e.cursorShown) paintCursor(e, colorUnder(e, e.rmouseX, e.rmouseY), bounds);
    getMouseState(e.mouseX, e.mouseY, e.LMB, e.RMB);
    e.rmouseX = cursorCell(e.mouseX, e.scale, e.X_Start, bounds.max_x);
    e.rmouseY = cursorCell(e.mouseY, e.scale, e.Y_Start, bounds.max_y);
    aimCursor(e);
    paintCursor(e, red, bounds);
    e.cursorShown = true;
}

void pointStep(Editor& e) {
    if (!cursorOnCanvas(e)) return;
    if (e.LMB) {
        // A full table ignores both buttons until the left one is let go.
        if (pointsFull(e)) return;
        placeMirroredPoints(e);
    }
    if (e.RMB) eraseMirroredPoints(e);
}

static void drawBand(const Editor& e, ColorRGB color) {
    lineScaled(e.line_sx, e.line_sy, e.line_ex, e.line_ey, color, e.scale, e.X_Start, e.Y_Start, 0, viewBounds(e));
}

void lineEventStep(Editor& e) {
    const bool buttonEvent = e.event2.type == SDL_MOUSEBUTTONDOWN || e.event2.type == SDL_MOUSEBUTTONUP;
    if (!buttonEvent) return;
    if (e.leftHoldSpent && e.event2.button.button == SDL_BUTTON_LEFT) {
        // The spent hold is over: let go, which is no click, or pressed anew.
        e.leftHoldSpent = false;
        if (e.event2.type == SDL_MOUSEBUTTONUP) return;
    }
    if (e.event2.type == SDL_MOUSEBUTTONUP && e.event2.button.button == SDL_BUTTON_LEFT) {
        ++e.line_phase;
        if (e.line_phase > 2) e.line_phase = 0;
    }
    if (e.event2.button.button == SDL_BUTTON_RIGHT) {
        --e.line_phase;
        paintUnderLine(e, e.line_sx, e.line_sy, e.line_ex, e.line_ey);
        if (e.line_phase < -1) e.line_phase = -1;
    }
}

static void rubberBand(Editor& e) {
    if (linesFull(e) || !cursorOnCanvas(e)) return;
    paintUnderLine(e, e.line_sx, e.line_sy, e.line_ex, e.line_ey);
    e.line_ex = e.rmouseX;
    e.line_ey = e.rmouseY;
    drawBand(e, e.Draw_Color);
}

// An end click with Shift held as of its release chains: the next line starts
// at this one's end, with the band following the pointer, until the table is full.
static void storeLine(Editor& e) {
    storeMirroredLine(e, {{e.line_sx, e.line_sy}, {e.line_ex, e.line_ey}});
    e.line_phase = 0;
    if (!shiftHeld() || linesFull(e)) return;
    e.line_sx = e.line_ex;
    e.line_sy = e.line_ey;
    e.line_phase = 1;
}

void linePhaseStep(Editor& e) {
    switch (e.line_phase) {
        case -1:
            searchLines(e);
            clearWindow(e);
            // Line entry starts afresh after a search, whatever it found.
            e.line_phase = 0;
            break;
        case 0:
            if (!cursorOnCanvas(e)) break;
            e.line_sx = e.line_ex = e.rmouseX;
            e.line_sy = e.line_ey = e.rmouseY;
            break;
        case 1:
            rubberBand(e);
            break;
        case 2:
            storeLine(e);
            break;
        default:
            break;
    }
}

// Line mode acts on the event of the pass: the one the loop test took, or,
// when it took none, the next one queued (a step run on its own takes its
// event this way). It never waits: the loop does. A close request taken here
// ends the editor at once.
static PassResult lineModeStep(Editor& e) {
    if (e.event2.type == SDL_NOEVENT) takeEvent(e.event2);
    if (e.event2.type == SDL_QUIT) {
        shutDownSDL();
        return PassResult::Quit;
    }
    lineEventStep(e);
    linePhaseStep(e);
    selectionKeys(e);
    e.event2.type = SDL_NOEVENT;  // each event moves the phase once
    return PassResult::Continue;
}

// A left button held through a key that ended its group drag reads as up until
// it is let go. Line mode tells its release by the event instead (lineEventStep).
static void spendHeldButton(Editor& e) {
    if (!e.leftHoldSpent || e.mode == lineMode) return;
    if (!e.LMB) e.leftHoldSpent = false;
    e.LMB = false;
}

PassResult editStep(Editor& e) {
    spendHeldButton(e);
    // Point edits from a press to the release are one step of the history, and
    // so is a group's move by one drag.
    e.picture.holdStroke((e.mode == pointMode && (e.LMB || e.RMB)) || (e.mode == groupMode && e.LMB));
    switch (e.mode) {
        case pointMode:
            pointStep(e);
            break;
        case lineMode:
            return lineModeStep(e);
        case selectionMode:
            selectionKeys(e);
            break;
        case groupMode:
            groupStep(e);
            break;
        default:
            break;
    }
    return PassResult::Continue;
}
