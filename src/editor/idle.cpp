// idle.cpp - the loop's idle test: a pass that changed nothing, with no arrow held.
#include "idle.h"

#include "keys.h"

PassMark markPass(const Editor& e) { return {e.values(), e.picture.mark(), keypressed}; }

bool nothingToDoUntilInput(const PassMark& before, const Editor& e, bool presented) {
    if (presented || e.mode == lineMode || arrowHeld()) return false;
    return before.values == e.values() && before.picture == e.picture.mark() && before.latches == keypressed;
}
