// history.h - the undo history: the picture's tables as they were before each step.
//
// A step is recorded by handing record() the tables as they were just before
// the change. undo() and redo() exchange the current tables with the neighbour
// step's, so the picture comes back exactly: same entries, same order, same
// gaps, same counts. A new step forgets whatever could have been redone.
//
// The history keeps the last `depth` steps. Every step holds one whole
// PictureTables (13,320 bytes), so it never needs more than depth times that:
// 12.7 MiB with 1,000 steps, whatever the tables hold.
#ifndef TESSARY_HISTORY_H
#define TESSARY_HISTORY_H

#include <cstddef>
#include <deque>

#include "tables.h"

class History {
public:
    static constexpr int depth = 1000;

    // A new step whose change turned `before` into the current tables.
    void record(const PictureTables& before);
    // Back to the tables before the last step (true), or nothing to undo (false).
    bool undo(PictureTables& current);
    // Forward again over the last undone step, or nothing to redo (false).
    bool redo(PictureTables& current);

    int undoSteps() const { return static_cast<int>(undone.size()); }
    int redoSteps() const { return static_cast<int>(redone.size()); }

private:
    // Undoable tables, oldest first; and the tables an undo left, most recent last.
    std::deque<PictureTables> undone;
    std::deque<PictureTables> redone;
};

#endif
