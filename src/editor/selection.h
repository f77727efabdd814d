// selection.h - the lines found at a cell, and stepping through them on the keypad.
//
// In line mode a right click searches the cursor cell: the lines in use that
// start there (or, failing that, end there) go into lopp, and selection mode
// follows when any were found. Keypad + and - step through them, period drops
// the selection, Enter deletes the selected line. Entries off the canvas are
// never found: the cursor cell always lies on the canvas, and a line with its
// other end off it is passed over, as it is never drawn.
#ifndef TESSARY_SELECTION_H
#define TESSARY_SELECTION_H

#include "state.h"

// The lines whose start point (or, failing that, end point) is the cursor cell
// go into lopp; selection mode follows when any were found.
void searchLines(Editor& e);

// Keypad +, -, period and Enter in line and selection mode (and, in selection
// mode, Delete or Backspace as Enter), then forerase limited.
void selectionKeys(Editor& e);

// The index of the selected line entry, or -1 when no entry in use is selected.
int selectedLine(const Editor& e);

// The frame render's step after the magnified picture (view.h): the selected
// line drawn in red.
void highlightSelection(const Editor& e);

// Nothing selected any more; selection mode falls back to line mode.
void forgetSelection(Editor& e);

// After the picture changed as a whole (undo, redo, a kept picture put in
// place): clears the window, and drops the selection, group mode's group and a
// line being entered, which may refer to the old picture.
void showRestoredPicture(Editor& e);

#endif
