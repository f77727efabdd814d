// idle.cpp - the loop's idle test: a pass that changed nothing, with no arrow held and no event queued.
#include "idle.h"

#include "keys.h"

PassMark markPass(const Editor& e) { return {e.values(), e.picture.mark(), keypressed}; }

bool nothingToDoUntilInput(const PassMark& before, const Editor& e, bool presented) {
    if (presented || arrowHeld() || eventPending()) return false;
    return before.values == e.values() && before.picture == e.picture.mark() && before.latches == keypressed;
}
