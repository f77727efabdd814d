// arrowpace.h - the pace at which a held arrow key pans the view.
//
// A press pans one step at once; held longer than a quarter of a second, the
// arrow pans one step every sixtieth of a second until it is let go. The steps
// fall due on a fixed schedule from the moment the press was first seen, so the
// pace follows the clock and not the speed of the passes: a pass that comes
// late takes one step, and the passes right after it take the ones it missed.
// Each arrow keeps its own schedule (ArrowHold), owned by the editor state.
// Times are SDL's tick counts in whole milliseconds, compared across their
// wrap (ticksReached), so the pace holds however long the program runs.
//
//     if (e.arrows[i].stepDue(keyDown(arrowKeyOrder[i]), getTicks())) ... pan one step
//     waitForArrowStep(e.arrows);   // nothing due yet: sleep until it is, or until input
#ifndef TESSARY_ARROWPACE_H
#define TESSARY_ARROWPACE_H

#include <array>

#include <SDL/SDL.h>

constexpr Uint32 arrowRepeatDelayMs = 250;
constexpr Uint32 arrowRepeatsPerSecond = 60;

// The arrow keys, in the order the pan tests them; the editor's arrows[i]
// belongs to arrowKeyOrder[i].
constexpr std::array<int, 4> arrowKeyOrder = {SDLK_RIGHT, SDLK_LEFT, SDLK_DOWN, SDLK_UP};

// One arrow's press: when it was first seen down and the steps taken since.
struct ArrowHold {
    bool held = false;
    Uint32 since = 0;  // getTicks() of the first pass that saw it down
    int steps = 0;

    // Looks at the key once per pass: true when it pans a step now. A key seen
    // up forgets its press.
    bool stepDue(bool down, Uint32 now);
    // The tick at which the next step falls due; only meaningful while held.
    Uint32 nextStepTime() const;

    bool operator==(const ArrowHold& other) const {
        return held == other.held && since == other.since && steps == other.steps;
    }
};

using ArrowHolds = std::array<ArrowHold, arrowKeyOrder.size()>;

// When an arrow is down, its press has been stepped, its next step is not due
// yet and no event waits: sleeps until the step falls due or an event arrives,
// whichever comes first (or another thread wakes the wait). Returns at once
// otherwise, so a pass that has input to handle is never held up.
void waitForArrowStep(const ArrowHolds& arrows);

#endif
