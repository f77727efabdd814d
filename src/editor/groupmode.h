// groupmode.h - group mode: select a group of points and lines with a band,
// then move, copy, cut, paste, flip, turn or delete it as a whole.
//
// `g` enters the mode with nothing selected. A left drag draws a band of cells
// and selects what lies inside (Shift adds to the group); a left drag that
// starts within the group's bounds moves it cell by cell. The keys act on the
// group, each change one step of the picture's history, and say on the prompt
// line what they did. The group holds only while the picture stays as the mode
// left it: any other change of the tables (an undo, a load, a clear) drops it.
// The operations on the tables are the picture layer's (group.h).
//
//     groupKeys(e);       // key step: Ctrl+C / X / V, f, o, Delete, Shift+arrows
//     groupStep(e);       // editing step of the mode: the band (drawn there) and the move
//     highlightGroup(e);  // frame render: the group in red, after the picture
#ifndef TESSARY_GROUPMODE_H
#define TESSARY_GROUPMODE_H

#include "state.h"

// `g`: group mode, with nothing selected; a line in progress is dropped, its
// rubber band painted over, and the line selection is dropped. Pressed again
// in the mode, it drops the group and says so ("Group dropped").
void enterGroupMode(Editor& e);

// Ends a drag in progress where it stands, as a release there would: a move
// is one step of its own, a band is painted over and selects what it holds.
// The left button, still held, then does nothing in any mode until it is let
// go (Editor::leftHoldSpent).
void endGroupDrag(Editor& e);

// The group as it stands: empty outside group mode or once the tables changed.
Group selectedGroup(const Editor& e);

// True while Shift+arrows move the group, so the arrows do not pan.
bool groupNudging(const Editor& e);

// Key commands. Ctrl+C, Ctrl+X and Ctrl+V are taken in every mode (so they
// never reach c, x or v) and act in group mode only; the others are tested in
// group mode only: f flips left-right (Shift: top-bottom), o turns a quarter
// clockwise (Shift: counter-clockwise), Delete or Backspace deletes, and
// Shift+arrow moves one cell per press.
void groupKeys(Editor& e);

// The editing step of group mode: the left button's press, drag and release.
// The band lives on the window only, as line mode's rubber band does: drawn
// as a dotted red outline, painted over in the colours under it.
void groupStep(Editor& e);

// The group's points and lines in red, in the view and in the overview.
void highlightGroup(const Editor& e);

#endif
