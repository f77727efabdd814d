// idle.h - whether the main loop may sleep until input arrives.
//
// A pass takes at most one event, reads the editor state, the picture, the key
// latches, the window and the key and mouse state as of that event; it writes
// the first four. When it leaves them as it found them and no further event
// waits, the next pass, on the same key and mouse state, would change nothing
// either, and that state changes only with an event. So after such a pass the
// loop may wait for the next event (waitForEvent), which stays queued for the
// loop test; the window already shows what every pass until then would show.
// The wait sleeps until the window system has something (no wake-ups while
// nothing happens); the other threads that must reach the loop wake it with
// wakeEventWait: the signal thread after it asks to close, the copy's writer
// with a failure to report. One exception: a held arrow pans at its own pace
// (arrowpace.h), and the pass waits for its steps itself. Use:
//
//     const PassMark before = markPass(e);
//     ... the steps of the pass ...
//     if (nothingToDoUntilInput(before, e, presentChanges())) waitForEvent();
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
// `presented` says it drew nothing new), no arrow is held and no event waits.
bool nothingToDoUntilInput(const PassMark& before, const Editor& e, bool presented);

#endif
