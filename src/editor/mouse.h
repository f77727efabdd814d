// mouse.h - the cursor cell and the editing steps of the three modes.
#ifndef TESSARY_MOUSE_H
#define TESSARY_MOUSE_H

#include "state.h"

// Steps 5 to 8 of the pass: erase the old cursor cell, read the mouse, compute
// and draw the new cursor cell. Needs max_x/max_y up to date for the view.
void moveCursor(Editor& e);

// Step 9 of the pass: the editing step of the current mode. Quit when line
// mode's wait took a close request (SDL has then been shut down).
PassResult editStep(Editor& e);

#endif
