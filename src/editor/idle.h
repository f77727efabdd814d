// idle.h - whether the main loop may sleep until input arrives.
//
// A pass takes the events queued (or none), reads the editor state, the
// picture, the key latches, the window and the key and mouse state as of each
// event; it writes the first four. When it leaves them as it found them and no further event
// waits, the next pass, on the same key and mouse state, would change nothing
// either, and that state changes only with an event. So after such a pass the
// loop may wait for the next event (waitForEvent), which stays queued for the
// loop test; the window already shows what every pass until then would show.
// The wait sleeps until the window system has something (no wake-ups while
// nothing happens); the other threads that must reach the loop wake it with
// wakeEventWait: the signal thread after it asks to close, the copy's writer
// with a failure to report. One exception: a held arrow pans at its own pace
// (arrowpace.h), and the pass waits for its steps itself. A pass that did not
// idle is followed by another at once, unless the pointer moves: then the
// loop lets its motions gather for up to 14 ms after the
// present (gatherMotionsForFrame), and the pass after that, which takes them
// all, or finds nothing and idles, comes about once per frame instead of once
// per motion. Use:
//
//     const PassMark before = markPass(e);
//     ... the steps of the pass ...
//     if (nothingToDoUntilInput(before, e, presentChanges())) waitForEvent();
//     else gatherMotionsForFrame();
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
