// copywriter.h - the thread that writes the unsaved copy, so that the loop never waits on the disk.
//
// After every pass the loop says what the copy should hold (wantCopy): the
// tables, slot and history, or nothing. A thread of this module writes it,
// through the store of keptpictures.h, at most once a second while it keeps
// changing (so within a second of a change), and removes it at once when
// nothing is wanted. The thread sleeps while the copy holds what is wanted, so
// an idle editor costs nothing, and no write delays a pass or a frame, nor
// adds an event to the loop's queue. The history of a saved slot
// (historystore.h) is written there too, as soon as the save asks for it
// (keepSlotHistory), so a history of a megabyte never delays a save. At exit,
// finishCopy waits for a write in progress, ends the thread and writes the
// last state on the calling thread. Nothing writes after its owner has ended:
// the thread is ended (stopCopyWriter) by an exit hook registered when it
// first starts, so that it runs before the hooks registered earlier (such as
// a test program's removal of its state folder).
// Every write runs inside a WriteInProgress (endsignals.h), so an ending
// signal never cuts it.
//
//     claimLeftCopy(unreadable);              // at start: a copy left by an ended editor
//     wantCopy(CopyContent{tables, slot, history});  // after each pass
//     keepSlotHistory(slot, tables, history);   // after a save
//     finishSlotHistories();                  // before a load reads one
//     finishCopy(std::nullopt);               // at exit, a saved picture: the copy goes
//     stopCopyWriter();                       // before the store's folder may go
#ifndef TESSARY_COPYWRITER_H
#define TESSARY_COPYWRITER_H

#include <optional>
#include <string>
#include <vector>

#include "history.h"
#include "keptpictures.h"

struct CopyContent {
    PictureTables tables;
    int slot;
    // That led to the tables, kept beside the copy; nothing to leave the
    // history file beside it as it is (one that could not be read).
    std::optional<History> history;
    bool operator==(const CopyContent& other) const {
        return slot == other.slot && tables == other.tables && history == other.history;
    }
    bool operator!=(const CopyContent& other) const { return !(*this == other); }
};

// Claims the newest copy of the working folder that no running editor holds;
// from then on it is this editor's copy and holds what it held.
std::optional<KeptPicture> claimLeftCopy(std::vector<FileFailure>& unreadable);

// What the copy should hold from now on; nothing when it should go.
void wantCopy(const std::optional<CopyContent>& content);

// Keeps `history`, which led to `tables`, as slot nr's in the working
// folder, `tables` having just been saved there; a later one for the same
// slot takes its place.
void keepSlotHistory(int nr, const PictureTables& tables, const History& history);

// Writes the slot histories asked for and not yet written, before returning.
void finishSlotHistories();

// Ends the thread once its write in progress is whole, and writes the slot
// histories asked for on the calling thread. A later wantCopy or
// keepSlotHistory starts it again. Returns "<path>: <reason>" of a failure,
// or an empty string.
std::string stopCopyWriter();

// The same as wantCopy at exit, and the slot histories, done (and the thread
// ended, as stopCopyWriter does) before returning. Returns "<path>: <reason>"
// of a failure, or an empty string.
std::string finishCopy(const std::optional<CopyContent>& content);

// "<path>: <reason>" of the last write of the copy that failed, once; then
// empty until another fails.
std::string takeCopyFailure();
// The same for the slot histories.
std::string takeSlotHistoryFailure();

#endif
