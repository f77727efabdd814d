// wakeup.h - a timed wake-up of the main loop, which otherwise sleeps until input.
//
// The loop waits for an event when a pass changed nothing (idle.h), and SDL
// 1.2 cannot wait with a time-out. wakeAt(t) has a thread of its own push a
// user event at time t, which ends the wait and makes one pass run; a later
// call moves the time, cancelWakeUp drops it. The thread sleeps on a
// condition variable in between, so it costs nothing while none is due.
//
//     wakeAt(std::chrono::steady_clock::now() + std::chrono::seconds(1));
#ifndef TESSARY_WAKEUP_H
#define TESSARY_WAKEUP_H

#include <chrono>

void wakeAt(std::chrono::steady_clock::time_point when);
void cancelWakeUp();

#endif
