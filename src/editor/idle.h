// idle.h - whether the main loop may sleep until input arrives.
//
// A pass reads the editor state, the picture, the key latches, the window and
// SDL's key and mouse state; it writes the first four. When it leaves them as
// it found them, the next pass, on the same key and mouse state, would change
// nothing either, and SDL's key and mouse state change only with an event. So
// after such a pass the loop may wait for the next event (waitForEvent), which
// stays queued for the loop test; the window already shows what every pass
// until then would show. Two exceptions: a held arrow acts on every pass (it
// clears the window even at its bound), and line mode waits for an event of its
// own inside the pass. Use:
//
//     const PassMark before = markPass(e);
//     ... the steps of the pass ...
//     if (nothingToDoUntilInput(before, e, redraw())) waitForEvent();
#ifndef TESSARY_IDLE_H
#define TESSARY_IDLE_H

#include <map>

#include "state.h"

// What a pass may change besides the window, taken before it runs.
struct PassMark {
    decltype(Editor().values()) values;
    Picture::Mark picture;
    std::map<int, bool> latches;
};

PassMark markPass(const Editor& e);

// True when the pass that `before` was taken ahead of changed nothing (and
// `presented` says it drew nothing new), no arrow is held and the mode is not
// line mode.
bool nothingToDoUntilInput(const PassMark& before, const Editor& e, bool presented);

#endif
