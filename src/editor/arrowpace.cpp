// arrowpace.cpp - the schedule of a held arrow's steps and the wait for the next one.
#include "arrowpace.h"

#include <optional>

#include "gfx.h"
#include "keypress.h"

bool ArrowHold::stepDue(bool down, Uint32 now) {
    if (!down) {
        *this = ArrowHold();
        return false;
    }
    if (!held) {
        *this = {true, now, 1};
        return true;
    }
    if (!ticksReached(now, nextStepTime())) return false;
    ++steps;
    return true;
}

// The repeats after the quarter second fall due a sixtieth of a second apart;
// each is due at the first whole millisecond at which its time has come.
Uint32 ArrowHold::nextStepTime() const {
    const unsigned long long repeats = static_cast<unsigned long long>(steps - 1);  // taken so far
    const Uint32 afterFirst = static_cast<Uint32>((repeats * 1000 + arrowRepeatsPerSecond - 1) / arrowRepeatsPerSecond);
    return since + arrowRepeatDelayMs + afterFirst;
}

void waitForArrowStep(const ArrowHolds& arrows) {
    std::optional<Uint32> next;
    for (size_t i = 0; i < arrowKeyOrder.size(); ++i) {
        if (!keyDown(arrowKeyOrder[i])) continue;
        if (!arrows[i].held) return;  // a new press steps at once
        const Uint32 due = arrows[i].nextStepTime();
        if (!next || !ticksReached(due, *next)) next = due;
    }
    if (next) waitForEventUntil(*next);
}
