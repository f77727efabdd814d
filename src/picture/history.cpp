// history.cpp - recording, undoing and redoing steps of the picture.
#include "history.h"

#include <utility>

void History::record(const PictureTables& before) {
    redone.clear();
    if (undoSteps() == depth) undone.pop_front();
    undone.push_back(before);
}

// Moves the last tables of `from` into `current`, and `current` onto `to`.
static bool exchange(std::deque<PictureTables>& from, std::deque<PictureTables>& to, PictureTables& current) {
    if (from.empty()) return false;
    to.push_back(std::move(current));
    current = std::move(from.back());
    from.pop_back();
    return true;
}

bool History::undo(PictureTables& current) { return exchange(undone, redone, current); }

bool History::redo(PictureTables& current) { return exchange(redone, undone, current); }
