// historystore.h - undo histories kept in the folder's store, beside the kept pictures.
//
// A history is a file of historyformat.h in the store of keptpictures.h, kept
// as the store keeps its files: written as a new file of mode 600 renamed
// into place, never through a link, and read only when it is a regular file
// of at most historyFileLimit bytes. There are two kinds:
//
// - "slot<nr>.history": the history of the picture last saved to slot nr of
//   the folder, keyed by the bytes of both slot files as saved. It is read
//   back only while the slot files hold exactly those bytes.
// - "unsaved-XXXXXX.history": the history of the unsaved copy
//   "unsaved-XXXXXX.kept", keyed by the copy's picture. It goes with the copy.
//
// Either is saved against the tables as a load reads them back (entries
// packed from entry 0), so it comes back onto the loaded picture exactly. A
// history without steps is no file: writing one removes the file.
//
//     writeSlotHistory(store, 1, picture.tables(), picture.keptHistory());
//     const KeptHistory kept = readSlotHistory(store, 1, loadedTables);  // kept.history or kept.fault
#ifndef TESSARY_HISTORYSTORE_H
#define TESSARY_HISTORYSTORE_H

#include <cstdint>
#include <optional>
#include <string>

#include "historyformat.h"
#include "keptpictures.h"

// The key of a picture saved as these two slot texts: a hash of their bytes.
std::uint64_t historyKey(const std::string& points, const std::string& lines);

// A history file that could not be read: its path, and the reason as the
// prompt line shows it (a reason of historyFault, "unreadable" or "slot
// changed") and as
// standard error does (the system's reason for an unreadable file).
struct HistoryFault {
    std::string path;
    std::string shown;
    std::string logged;
};

// The shown reason of a slot history kept with other bytes than the slot's files hold.
extern const char* const historySlotChanged;

// A history read back: the history; or nothing, when there is none for the
// picture; or nothing with the fault of a file that could not be read.
struct KeptHistory {
    std::optional<History> history;
    std::optional<HistoryFault> fault;
};

// Keeps `history`, which led to `tables`, as slot nr's, `tables` having just
// been saved there: under the slot's lock (slotlock.h), and only while the
// slot holds them still, so that the history of an earlier save never takes
// the place of a later one's, another editor's included. What could not be
// made or written, or nothing.
std::optional<FileFailure> writeSlotHistory(const KeptStore& store, int nr, const PictureTables& tables,
                                            const History& history);
// The history saved with slot nr, when its files hold exactly the bytes
// saved then and `loaded` is what they hold. A history file kept with other
// bytes (the files edited, or saved by another program, since) is the fault
// "slot changed".
KeptHistory readSlotHistory(const KeptStore& store, int nr, const PictureTables& loaded);

// The same for the unsaved copy at `copyPath` (UnsavedCopy::path) holding `tables`.
std::optional<FileFailure> writeCopyHistory(const std::string& copyPath, const PictureTables& tables,
                                            const History& history);
// The history of the copy at `copyPath`, restored as `restored`.
KeptHistory readCopyHistory(const std::string& copyPath, const PictureTables& restored);

#endif
