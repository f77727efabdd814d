// picture.h - the picture being edited, its undo history, and the palette.
//
// Picture is the one owner of the point and line tables (tables.h): every
// change of the picture is one call here, and each call that changes anything
// is recorded as one step of the history on the spot (the point edits of a
// held stroke together, once the stroke ends). Reading goes through
// tables().
//
//     Picture picture;
//     picture.holdStroke(buttonHeld);   // once a pass: point edits of one press join one step
//     picture.addPoint(3, 4);
//     picture.undo();                   // the point is gone again
//     picture.markSaved();              // after a save or load; unsaved() tells a change since
//
// A change that leaves the tables as they were (clearing an empty picture,
// loading what is already there, sorting sorted tables) records nothing.
#ifndef TESSARY_PICTURE_H
#define TESSARY_PICTURE_H

#include "gfx.h"
#include "history.h"
#include "tables.h"

// The 16-colour palette; the user's colour number n is entry n - 1.
constexpr int paletteSize = 16;
extern const ColorRGB Colors[paletteSize];
// Lines take this colour instead of the drawing colour while `separate` is on.
constexpr ColorRGB separateLinesColor(0, 128, 0);

class Picture {
public:
    const PictureTables& tables() const { return current; }

    // Point edits. While a stroke is held, all of them make one step, recorded
    // when the stroke ends (or another change comes) and only when the stroke
    // left the tables changed.
    void holdStroke(bool held);
    bool addPoint(int x, int y);  // false when the point table is full
    void erasePoint(int i);       // entry i, if in use
    // The tables as a whole (see replace), joining a held stroke the same way:
    // a group dragged across the canvas is one step.
    void replaceInStroke(const PictureTables& tables);

    // Each of these is a step of its own.
    bool addLine(int x1, int y1, int x2, int y2);  // false when the line table is full
    void eraseLine(int i);                         // entry i, if in use
    void clear();
    // The tables as a whole: a load (the tables as read), or an edit of a group
    // of entries (group.h) worked out on a copy.
    void replace(const PictureTables& tables);
    // The export's order: points on row pointKey, lines on row lineKey (sortTable).
    void sort(int pointKey, int lineKey);

    // Back or forward one step; false, changing nothing, at either end.
    bool undo();
    bool redo();
    const History& history() const { return steps; }
    // The history with a held stroke's edits as the step they become when the
    // stroke ends: what is kept with the picture (historystore.h).
    History keptHistory() const;
    // Another picture in place, with the history that led to it (as kept),
    // neither recorded as a step nor counted as saved.
    void restore(const PictureTables& tables, History history);

    // Saved: the tables equal what was last written to or read from a slot (the
    // empty picture of a fresh Picture counts as saved). A change makes the
    // picture unsaved; an undo or redo back to those tables makes it saved again.
    void markSaved() { savedTables = current; }
    bool unsaved() const { return current != savedTables; }

    // Everything a change of the picture changes, cheap to copy: the tables,
    // the steps each way and the stroke. Equal marks mean an unchanged picture.
    struct Mark {
        PictureTables tables;
        int undoSteps, redoSteps;
        bool strokeHeld, strokeStarted;
        bool operator==(const Mark& other) const;
    };
    Mark mark() const;

private:
    // Runs `edit` on the tables and records a step if it changed them. A stroke
    // edit while a stroke is held joins the stroke instead.
    template <typename Edit>
    void change(bool strokeEdit, Edit edit);
    // Records the stroke's step, if it has changed the tables, and starts afresh.
    void endStroke();

    PictureTables current;
    PictureTables savedTables;  // as last written to or read from a slot
    History steps;
    bool strokeHeld = false;
    bool strokeStarted = false;  // the held stroke has edited the tables
    PictureTables strokeStart;   // the tables before the stroke's first edit
};

#endif
