// arrowpace.cpp - the schedule of a held arrow's steps and the wait for the next one.
#include "arrowpace.h"

#include <algorithm>
#include <limits>

#include "gfx.h"
#include "keypress.h"

bool ArrowHold::stepDue(bool down, float now) {
    if (!down) {
        *this = ArrowHold();
        return false;
    }
    if (!held) {
        *this = {true, now, 1};
        return true;
    }
    if (now < nextStepTime()) return false;
    ++steps;
    return true;
}

float ArrowHold::nextStepTime() const { return since + arrowRepeatDelayMs + (steps - 1) * arrowRepeatIntervalMs; }

void waitForArrowStep(const ArrowHolds& arrows) {
    float next = std::numeric_limits<float>::infinity();
    for (size_t i = 0; i < arrowKeyOrder.size(); ++i) {
        if (!keyDown(arrowKeyOrder[i])) continue;
        if (!arrows[i].held) return;  // a new press steps at once
        next = std::min(next, arrows[i].nextStepTime());
    }
    if (next != std::numeric_limits<float>::infinity()) waitForEventUntil(next);
}
