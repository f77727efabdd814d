// historykeeping.h - the undo history outlives the run: kept with a saved slot and with the unsaved copy.
//
// The files are historystore.h's, written on the thread of copywriter.h; this
// module decides which history goes where and puts one read back in place.
//
// - `s` keeps the picture's history with the slot, keyed by the bytes saved.
// - `l` of a slot whose files hold exactly those bytes brings it back: `u`
//   then takes back the last change made before that save. Any other slot
//   loads as one step, which `u` takes back.
// - At start, the restored unsaved copy comes back with the history kept
//   beside it (keeping.h writes it with the copy).
// - A history that cannot be read is left out, and said once, as
//   "History of slot <nr> not read: <reason>" (for the restored copy
//   "Restored; history not read: <reason>"), with its path on standard error.
//   Its file is left as it is (a newer version may read it) until the
//   picture it belongs to changes: `s` of the loaded picture unchanged
//   writes no history, nor does the copy's writer while the restored
//   picture stands unchanged.
#ifndef TESSARY_HISTORYKEEPING_H
#define TESSARY_HISTORYKEEPING_H

#include <optional>

#include "keptpictures.h"
#include "slots.h"
#include "state.h"

// After slot e.nr was saved: the picture's history kept with it, unless the
// slot's history could not be read at its load and the picture is unchanged.
void keepHistoryWithSlot(const Editor& e);

// The tables of `read`, just read from slot e.nr, in place of the picture:
// with the history kept with those bytes, or as one step. What to report when
// a kept history could not be read (unless the read reported its files, and
// the history was kept with other bytes: that says it already).
std::optional<SlotReport> placeLoadedSlot(Editor& e, const SlotRead& read);

// The unsaved copy `left`, claimed at start, in place of the picture: with its
// history, or as one step. What to report when the history could not be read:
// "Restored; history not read: <reason>", the path on standard error.
std::optional<SlotReport> placeRestoredCopy(Editor& e, const KeptPicture& left);

// The history to keep beside the unsaved copy of e's picture: its own, or
// nothing while the picture is the restored copy whose history could not be
// read, so that the file stays as it is.
std::optional<History> copyHistoryToKeep(const Editor& e);

#endif
