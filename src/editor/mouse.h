// mouse.h - the cursor cell and the editing steps of the three modes.
//
// Point mode places and erases points while a button is held; line mode enters
// lines through a phase machine fed by one waited event per pass; selection mode
// steps through the lines found at a cell on the keypad. Every step acts only on
// a cursor cell on the canvas and only on table entries in use, so the counts
// always equal the entries in use.
#ifndef TESSARY_MOUSE_H
#define TESSARY_MOUSE_H

#include "state.h"

// Steps 5 to 8 of the pass: erase the old cursor cell, read the mouse, compute
// and draw the new cursor cell. Needs max_x/max_y up to date for the view.
void moveCursor(Editor& e);

// Step 9 of the pass: the editing step of the current mode. Quit when line
// mode's wait took a close request (SDL has then been shut down).
PassResult editStep(Editor& e);

// Point mode: the left button places a point at the cursor cell unless one is
// there or the table is full; then the right button erases the first one there.
void pointStep(Editor& e);

// Line mode: the waited event in e.event2 moves line_phase (left release +1,
// right press or release -1, erasing the rubber band).
void lineEventStep(Editor& e);
// Line mode: act on line_phase (-1 search, 0 idle, 1 rubber band, 2 store);
// afterwards the phase is 0 or 1.
void linePhaseStep(Editor& e);
// The lines whose start point (or, failing that, end point) is the cursor cell
// go into lopp; selection mode follows when any were found.
void searchLines(Editor& e);

// Keypad +, -, period and Enter in line and selection mode, then forerase limited.
void selectionKeys(Editor& e);

// The index of the selected line entry, or -1 when no entry in use is selected.
int selectedLine(const Editor& e);

// The first point entry in use at cell (x, y), or -1.
int pointAt(int x, int y);

#endif
