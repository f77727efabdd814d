// wheel.cpp - the mouse wheel's notches, counted as SDL queues them.
//
// SDL 1.2 reports a wheel notch as a press and a release of button 4 (away
// from the user) or 5 (towards the user). The layer's event filter counts the
// presses as they are queued, whoever takes the events later (done(), a
// program's own SDL_WaitEvent, a prompt), and takeWheelNotches hands the count
// over. The wheel buttons never count as the left or right button.
#include <atomic>

#include "gfx.h"
#include "surface.h"

namespace {

std::atomic<int> notches{0};  // away from the user minus towards; SDL may filter on its own thread

}  // namespace

void countWheelNotch(const SDL_Event* event) {
    if (event->type != SDL_MOUSEBUTTONDOWN) return;
    if (event->button.button == SDL_BUTTON_WHEELUP) ++notches;
    if (event->button.button == SDL_BUTTON_WHEELDOWN) --notches;
}

int takeWheelNotches() { return notches.exchange(0); }
