// copywriter.h - the thread that writes the unsaved copy, so that the loop never waits on the disk.
//
// After every pass the loop says what the copy should hold (wantCopy): the
// tables and slot, or nothing. A thread of this module writes it, through the
// store of keptpictures.h, at most once a second while it keeps changing (so
// within a second of a change), and removes it at once when nothing is wanted.
// The thread sleeps while the copy holds what is wanted, so an idle editor
// costs nothing, and no write delays a pass or a frame, nor adds an event to
// the loop's queue. At exit, finishCopy waits for a write in progress and
// writes the last state on the calling thread; the thread writes no more.
// Every write runs inside a WriteInProgress (endsignals.h), so an ending
// signal never cuts it.
//
//     claimLeftCopy(unreadable);              // at start: a copy left by an ended editor
//     wantCopy(CopyContent{tables, slot});    // after each pass
//     finishCopy(std::nullopt);               // at exit, a saved picture: the copy goes
#ifndef TESSARY_COPYWRITER_H
#define TESSARY_COPYWRITER_H

#include <optional>
#include <string>
#include <vector>

#include "keptpictures.h"

struct CopyContent {
    PictureTables tables;
    int slot;
    bool operator==(const CopyContent& other) const { return slot == other.slot && tables == other.tables; }
    bool operator!=(const CopyContent& other) const { return !(*this == other); }
};

// Claims the newest copy of the working folder that no running editor holds;
// from then on it is this editor's copy and holds what it held.
std::optional<KeptPicture> claimLeftCopy(std::vector<FileFailure>& unreadable);

// What the copy should hold from now on; nothing when it should go.
void wantCopy(const std::optional<CopyContent>& content);

// The same at exit, done before returning. Returns "<path>: <reason>" of a
// failure, or an empty string.
std::string finishCopy(const std::optional<CopyContent>& content);

// "<path>: <reason>" of the last write that failed, once; then empty until
// another fails.
std::string takeCopyFailure();

#endif
