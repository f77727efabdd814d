// mouse.h - the cursor cell and the editing steps of the three modes.
//
// Point mode places and erases points while a button is held, everything from
// a press to the release being one step of the picture's history; line mode
// enters lines through a phase machine fed by the event of each pass, and
// hands the search and the keypad to the selection (selection.h). An end click
// with Shift held chains the next line on from the stored one's end. Every step
// acts only on a cursor cell on the canvas. With the mirror on (aids.h), points
// and lines are placed, erased and stored at their mirror images too; in line
// mode the cursor cell is the one the line takes, snapped or kept straight.
#ifndef TESSARY_MOUSE_H
#define TESSARY_MOUSE_H

#include "state.h"

// The cursor step of the pass: erase the old cursor cell, read the mouse,
// compute (in line mode, aim: aimCursor) and draw the new cursor cell.
void moveCursor(Editor& e);

// The editing step of the pass, in the current mode. Quit when line
// mode took a close request (SDL has then been shut down).
PassResult editStep(Editor& e);

// Point mode: the left button places a point at the cursor cell unless one is
// there or the table is full; then the right button erases the first one there.
// Each at the cell's mirror images too, while the mirror is on.
void pointStep(Editor& e);

// Line mode: the pass's event in e.event2 moves line_phase (left release +1,
// right press or release -1, erasing the rubber band).
void lineEventStep(Editor& e);
// Line mode: act on line_phase (-1 search, 0 idle, 1 rubber band, 2 store;
// a store with Shift held starts the next line at the stored one's end, in
// phase 1); afterwards the phase is 0 or 1.
void linePhaseStep(Editor& e);

#endif
