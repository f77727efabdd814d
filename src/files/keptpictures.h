// keptpictures.h - the store of kept pictures: unsaved copies and replaced slots.
//
// Kept pictures live in the user's state folder, $XDG_STATE_HOME/tessary/
// (default ~/.local/state/tessary/, the home folder taken from the password
// database when HOME is unset), in one folder per picture folder, named after
// its last part and a hash of its absolute path (a note file "folder" in it
// names the path, written as the header's folder line). Both folders are the
// user's alone: made with mode 700, or set to it when the user owns them, and
// refused when one is a link, no folder, or another user's. Each kept picture
// is one text file of mode 600:
//
//     tessary kept picture
//     reason replaced            (or: unsaved, load, clear, kept)
//     slot 1
//     folder /home/me/pictures   (a backslash as \\, a byte below 32 or 127 as \xNN)
//     time 1733580131123         (milliseconds since 1970)
//     pixels 14                  (then that many bytes: the points file)
//     12 7
//     0 199
//     lines 11                   (then the lines file)
//     3 4 10 4
//
// An editor's unsaved copy is "unsaved-XXXXXX.kept", and the editor holds a
// lock (flock) on "unsaved-XXXXXX.lock" for as long as the copy is its own; a
// copy whose lock nobody holds was left by an editor that has ended. Replaced
// slots, and unsaved pictures that something replaced, are
// "replaced-<time>-<order>-XXXXXX.kept", the order telling pictures kept in
// the same millisecond apart (older names have none, and come first). An
// editor that shows a kept picture holds a shared lock on "<name>.shown"
// beside it, so that no pruning removes it meanwhile.
//
// The store's files are written only as new files inside it and renamed into
// place (writeNewFile), and read only when they are regular files no larger
// than keptPictureLimit, never through a link and never waiting; a link in the
// store is neither listed nor followed. Failures come back as values: the path
// with the system's reason.
//
//     KeptStore store = keptStoreFor(currentFolder);
//     UnsavedCopy copy;
//     std::optional<KeptPicture> left = copy.claimLeft(store, unreadable);
//     std::optional<FileFailure> failed = copy.write(store, tables, slot, timeMs);
#ifndef TESSARY_KEPTPICTURES_H
#define TESSARY_KEPTPICTURES_H

#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "filereplace.h"
#include "tables.h"

constexpr int keptReplacedLimit = 50;  // replaced slots kept per picture folder
constexpr int keptUnsavedLimit = 50;   // unsaved copies kept per picture folder, those of running editors aside
constexpr int keptOrphanDays = 365;    // a store whose picture folder is missing goes once its newest picture is older

// The longest slot texts of a full picture: every coordinate at its longest
// ("-2147483648") with its separator, a line end per record, and the lines
// file's last line end.
constexpr std::size_t longestNumberText = 12;
constexpr std::size_t longestPointsText = p_number * (2 * longestNumberText + 1);
constexpr std::size_t longestLinesText = l_number * (4 * longestNumberText + 1) + 1;
// A kept picture holds at most twice those texts (slot files as the user's
// editor left them, spaced more widely), after a header whose folder line is
// at most PATH_MAX bytes, each escaped to four. A larger file is unreadable.
constexpr std::size_t keptHeaderLimit = 256 + 4 * PATH_MAX;
constexpr std::size_t keptPictureLimit = keptHeaderLimit + 2 * (longestPointsText + longestLinesText);

// Why a picture is kept: an editor's unsaved copy; a slot's old picture,
// replaced by `s`; or an unsaved picture replaced by a load, a clear or
// another kept picture.
enum class KeptReason { unsaved, replaced, load, clear, kept };

// Where the kept pictures of one picture folder go.
// The user's home folder: $HOME, or the password database's entry when it is
// unset; empty when neither names an absolute path.
std::string homeFolder();

struct KeptStore {
    std::string root;       // $XDG_STATE_HOME/tessary; empty when no state folder is known
    std::string directory;  // root/<name>-<hash>
    std::string folder;     // the picture folder, absolute
};
KeptStore keptStoreFor(const std::string& pictureFolder);
// The same for the working folder, the editor's picture folder.
KeptStore keptStoreForWorkingFolder();
// Makes the store's folders, the user's alone, with the note of the picture
// folder, for a module that keeps a file of its own there; what failed, or nothing.
std::optional<FileFailure> makeKeptStore(const KeptStore& store);

// One kept picture.
struct KeptPicture {
    std::string path;
    KeptReason reason = KeptReason::unsaved;
    int slot = 1;
    long long timeMs = 0;
    PictureTables tables;
    std::string folder;
};

// The file's text for a picture held as the texts of its two slot files.
std::string keptPictureText(KeptReason reason, int slot, const std::string& folder, long long timeMs,
                            const std::string& points, const std::string& lines);
// The picture such a text holds (its path left empty), its tables read as a
// load reads a slot's files (the records before a bad token, the first 512);
// nothing when the text is not a kept picture whole.
std::optional<KeptPicture> parseKeptPicture(const std::string& text);

// The kept pictures of the store that no running editor holds, newest first;
// `unreadable` gets the path and reason of each that cannot be read whole. A
// file is read again only once it has changed, so listing at every k is cheap.
std::vector<KeptPicture> listKeptPictures(const KeptStore& store, std::vector<FileFailure>& unreadable);

// Keeps what slot nr's files in the working folder hold, before they are
// replaced by `next`, unless they hold that same picture, an empty one or no
// files (a file that is no regular file holds none). Slot files larger than
// any this program writes are kept as the records they hold. Then prunes the
// store to the newest keptReplacedLimit replaced slots.
struct ReplacedSlot {
    bool kept = false;
    std::string path;                    // the kept picture's file when kept
    std::optional<FileFailure> failed;   // what could not be made or written, and why
};
ReplacedSlot keepReplacedSlot(const KeptStore& store, int nr, const PictureTables& next, long long timeMs);

// This editor's unsaved copy and its lock.
class UnsavedCopy {
public:
    UnsavedCopy() = default;
    UnsavedCopy(const UnsavedCopy&) = delete;
    UnsavedCopy& operator=(const UnsavedCopy&) = delete;
    ~UnsavedCopy() { release(); }

    // Takes the newest copy that no running editor holds, locking it so that
    // it is this editor's from now on. `unreadable` gets the paths and reasons
    // of copies that could not be read whole; those are left as they are.
    std::optional<KeptPicture> claimLeft(const KeptStore& store, std::vector<FileFailure>& unreadable);
    // Writes the copy, making the store and taking a lock first when needed
    // (and then pruning the store's unsaved copies to keptUnsavedLimit).
    // Returns what failed, or nothing.
    std::optional<FileFailure> write(const KeptStore& store, const PictureTables& tables, int slot, long long timeMs);
    // Removes the copy and its lock (and its history).
    void remove();
    // The copy's file; empty while this editor has none.
    std::string path() const;

private:
    void release();  // lets the lock go, leaving the files

    std::string base;  // directory/unsaved-XXXXXX; empty while this editor has no copy
    int lockFd = -1;
};

// A hold on a kept picture that this editor shows: while any editor holds
// one on it, no pruning removes the picture.
class ShownHold {
public:
    ShownHold() = default;
    ShownHold(const ShownHold&) = delete;
    ShownHold& operator=(const ShownHold&) = delete;
    ~ShownHold() { release(); }

    // Holds the picture at `keptPath` (a path listKeptPictures gave), letting
    // go of the one held before. Without a hold when it cannot be had.
    void hold(const std::string& keptPath);
    void release();

private:
    int fd = -1;
};

// Prunes every store under `root`: lock files without their copy that no
// editor holds, temporaries an hour old, then the oldest replaced and unsaved pictures beyond their
// limits, with their histories (never one a running editor holds or shows). A
// store whose picture folder is missing, perhaps on a medium not mounted now,
// goes whole, slot histories and locks too, only once its newest kept picture or history
// is older than keptOrphanDays.
void pruneKeptStores(const std::string& root);

// The word of a reason in a kept picture's "reason" line, and the reason a
// word names (nothing for a word that names none).
const char* keptReasonWord(KeptReason reason);
std::optional<KeptReason> keptReasonNamed(const std::string& word);

// Keeps `tables`, a picture of slot `slot` that is about to be replaced, as a
// kept picture with the reason why. It counts among the replaced slots, for
// their limit too.
ReplacedSlot keepPicture(const KeptStore& store, KeptReason reason, int slot, const PictureTables& tables,
                         long long timeMs);

// For a slot's old picture that the store cannot take: keeps what slot nr's
// files hold, as keepReplacedSlot reads them, beside them as "pixels<nr>.txt~"
// and "lines<nr>.txt~", both replaced together like the slot. What failed, or
// nothing.
constexpr const char* besideSuffix = "~";
std::optional<FileFailure> keepSlotBeside(int nr);

// A kept picture's history (historystore.h) is named as the picture, with
// this suffix for ".kept", and goes with it; the histories of saved slots end
// so too, and go with the store.
constexpr const char* keptHistorySuffix = ".history";

// The locks of slots being saved (slotlock.h) are "slot<nr>" with this
// suffix in the store, and go with it.
constexpr const char* slotLockSuffix = ".saving";

// For a module that keeps a file of its own in the store: the bytes of the
// regular file at `path`, when it holds at most `limit`, read without
// waiting and, unless `follow`, never through a link. False with the reason
// otherwise: the system's, or largerThanLimit.
extern const char* const largerThanLimit;
bool readLimitedFile(const std::string& path, bool follow, std::size_t limit, std::string& bytes,
                     std::string& reason);

#endif
