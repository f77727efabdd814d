// keeping.h - no picture is lost: the unsaved copy, replaced slots and pictures, and key k.
//
// The store itself is keptpictures.h, the thread that writes the unsaved
// copy copywriter.h; this module decides what is kept and reports on the
// prompt line.
//
// - While the picture is unsaved and not empty, its copy is kept in the
//   store, with its undo history beside it: within a second of a change, at
//   most once a second, and at every exit, an ending signal's included. It
//   goes when the picture is saved or empty.
// - At start, a copy left by an editor that ended without saving is restored,
//   with its slot number and the history kept with it (historykeeping.h), or
//   as one step of the history when it has none.
// - Before `s` replaces a slot that holds a different picture, that picture
//   is kept; when the store cannot take it, it is kept beside the slot's
//   files as "pixelsN.txt~" and "linesN.txt~", and when that fails too the
//   slot is not replaced.
// - Before a load, the clear key or `k` replaces an unsaved picture that is
//   not empty, it is kept too (unless `k` put it in place, it is unchanged
//   and its file is still there); when the store cannot take it, the key does
//   nothing but say so ("Not loaded, not kept: No space left").
// - `k` brings kept pictures back, newest first, and holds the one it shows
//   so that no editor prunes it meanwhile. The prompt line says which and
//   what it was, to the second: "Kept 2 of 5: old slot 1, 14:03:27" (or
//   "unsaved slot 1", "replaced by l", "cleared", "replaced by k").
// - A failure of the store is told once per run, with the system's reason:
//   "Kept copy failed: <path>: <reason>". Every write is whole: an ending
//   signal waits for it (endsignals.h).
//
//     startKeeping(e);                 // in runEditor, after startUp
//     ... runPass(e); keepAfterPass(e);  // once per pass
#ifndef TESSARY_KEEPING_H
#define TESSARY_KEEPING_H

#include <string>

#include "filemessage.h"
#include "keptpictures.h"
#include "state.h"

// Restores a left unsaved copy of this folder into `e` (announced on the
// prompt line), prunes the stores of kept pictures, and writes the copy once
// more at exit, whatever way the program ends. `e` must outlive the program's
// run. True when a copy was restored: its news stands on the prompt line.
bool startKeeping(Editor& e);

// After a pass: tells the writer what the copy should hold, and reports the
// first failure to write it (one of a slot's history on standard error only:
// the save's message stays on the prompt line).
void keepAfterPass(const Editor& e);

// Before the editor returns: the copy written as it should be, and the
// writer's thread ended, so that nothing writes after the editor has ended.
// The exit hook does the same once more, for every other way out.
void endKeeping();

// Whether the save may go on, and what it says on the prompt line (once the
// slot is written, or at once when it may not go on) and on standard error
// (only when an old picture was kept, or could not be).
struct SaveNote {
    bool mayReplace = true;
    FileMessage shown;
    std::string logged;
};
// Keeps the picture that slot e.nr holds, if it differs from e's, before `s`
// replaces it: in the store, or beside the slot's files.
SaveNote keepSlotBeforeSave(const Editor& e);

// Keeps e's picture before a load or the clear key (`why`) replaces it, when
// it is unsaved and not empty. False when it could not be kept: the prompt
// line says so, and the picture must stay.
bool keepBeforeReplacing(const Editor& e, KeptReason why);

// Key k: the next older kept picture of this folder in place of the picture.
void keptPictureCommand(Editor& e);

#endif
