// history.cpp - recording, undoing and redoing steps of the picture.
#include "history.h"

#include <algorithm>
#include <utility>

void History::record(const PictureTables& before) {
    redone.clear();
    if (undoSteps() == depth) undone.pop_front();
    undone.push_back(std::make_shared<const PictureTables>(before));
}

// Moves the last tables of `from` into `current`, and `current` onto `to`.
static bool exchange(History::Steps& from, History::Steps& to, PictureTables& current) {
    if (from.empty()) return false;
    to.push_back(std::make_shared<const PictureTables>(std::move(current)));
    current = *from.back();
    from.pop_back();
    return true;
}

bool History::undo(PictureTables& current) { return exchange(undone, redone, current); }

bool History::redo(PictureTables& current) { return exchange(redone, undone, current); }

// Shared tables are equal without a look at them.
static bool sameSteps(const History::Steps& a, const History::Steps& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const History::Step& x, const History::Step& y) { return x == y || *x == *y; });
}

bool History::operator==(const History& other) const {
    return sameSteps(undone, other.undone) && sameSteps(redone, other.redone);
}
