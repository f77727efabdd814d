// history.h - the undo history: the picture's tables as they were before each step.
//
// A step is recorded by handing record() the tables as they were just before
// the change. undo() and redo() exchange the current tables with the neighbour
// step's, so the picture comes back exactly: same entries, same order, same
// gaps, same counts. A new step forgets whatever could have been redone.
//
// The history keeps the last `depth` steps. Every step holds one whole
// PictureTables (13,320 bytes), so it never needs more than depth times that:
// 12.7 MiB with 1,000 steps, whatever the tables hold. A step's tables never
// change once recorded, so copies of a history share them: a copy (the one the
// writer of the kept copy takes after a pass) costs a pointer per step.
//
// A history saved to a file (historyformat.h) comes back through the
// constructor that takes both lists of steps.
#ifndef TESSARY_HISTORY_H
#define TESSARY_HISTORY_H

#include <cstddef>
#include <deque>
#include <memory>

#include "tables.h"

class History {
public:
    static constexpr int depth = 1000;
    using Step = std::shared_ptr<const PictureTables>;
    using Steps = std::deque<Step>;

    History() = default;
    // The steps each way, in the order of undoable() and redoable().
    History(Steps undoable, Steps redoable) : undone(std::move(undoable)), redone(std::move(redoable)) {}

    // A new step whose change turned `before` into the current tables.
    void record(const PictureTables& before);
    // Back to the tables before the last step (true), or nothing to undo (false).
    bool undo(PictureTables& current);
    // Forward again over the last undone step, or nothing to redo (false).
    bool redo(PictureTables& current);

    int undoSteps() const { return static_cast<int>(undone.size()); }
    int redoSteps() const { return static_cast<int>(redone.size()); }
    // The tables undo reaches, oldest first (undo takes the last); and the
    // tables redo reaches, the next one last.
    const Steps& undoable() const { return undone; }
    const Steps& redoable() const { return redone; }

    // The same tables at every step each way.
    bool operator==(const History& other) const;
    bool operator!=(const History& other) const { return !(*this == other); }

private:
    Steps undone;
    Steps redone;
};

#endif
