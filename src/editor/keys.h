// keys.h - key tests and the keyboard commands of one pass.
//
// runKeyCommands tests every command key once, in a fixed order, right after
// readKeys; most keys act once per press through keyPressed, the arrows at the
// pace of arrowpace.h while held. The groups below are the same commands,
// callable one by one.
#ifndef TESSARY_KEYS_H
#define TESSARY_KEYS_H

#include <climits>

#include "keypress.h"
#include "state.h"

// The largest scale at which the view still shows one canvas row (400 / 400 = 1),
// so the cursor cell always lies on the canvas.
constexpr int maxScale = 400;
// The largest column origin: the last column stays in view.
constexpr int maxXStart = Image_Width - 1;
// Down puts no bound on the row origin but the one that keeps the sums the view
// makes with it (cursor row, view bounds, the overview's frame, each adding
// less than the window's 640 pixels) within int.
constexpr int maxYStart = INT_MAX - 640;

// Before the key commands: a key press in e.event2 that starts anything but a
// change of the view ends group mode's drag where it stands (endGroupDrag).
void keyEndsDrag(Editor& e);

// Step 3 of the pass: every command key, tested once, in the fixed order.
void runKeyCommands(Editor& e);

void clearPictureKey(Editor& e);  // backquote: empty both tables, clear the window
void slotKeys(Editor& e);         // 1..7: choose the slot (a later key wins)
void separateKey(Editor& e);      // p: lines in dark green or not
void modeKeys(Editor& e);         // q point mode, w line mode, g group mode
void zoomKeys(Editor& e);         // z in (up to maxScale), x out (down to 1); Ctrl+Z is undo, Ctrl+X cut
void zoomIn(Editor& e);           // one step in, up to maxScale, clearing the window
void zoomOut(Editor& e);          // one step out, down to 1, clearing the window
void panStepKeys(Editor& e);      // = and - the column step, 0 and 9 the row step
void homeKey(Editor& e);          // 8: origin back to (0, 0)
// Held Right, Left, Down, Up: pan within bounds at the arrows' pace. A pass
// that took no event (event2) first waits for a held arrow's next step.
void arrowKeys(Editor& e);
bool arrowHeld();                 // an arrow is down, so a later pass pans (or clears) again
void historyKeys(Editor& e);      // u or Ctrl+Z undo, y, Ctrl+Y or Ctrl+Shift+Z redo

#endif
