// keptpictures.h - the store of kept pictures: unsaved copies and replaced slots.
//
// Kept pictures live in the user's state folder, $XDG_STATE_HOME/tessary/
// (default ~/.local/state/tessary/, made with mode 700), in one folder per
// picture folder, named after its last part and a hash of its absolute path
// (a note file "folder" in it names the path). Each kept picture is one text
// file, written through replaceFile:
//
//     tessary kept picture
//     reason replaced            (or: unsaved, load, clear, kept)
//     slot 1
//     folder /home/me/pictures
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
// "replaced-<time>-XXXXXX.kept". Failures come back as values: the path that
// could not be made, written or read (errno tells why).
//
//     KeptStore store = keptStoreFor(currentFolder);
//     UnsavedCopy copy;
//     std::optional<KeptPicture> left = copy.claimLeft(store, unreadable);
//     std::string failed = copy.write(store, tables, slot);
#ifndef TESSARY_KEPTPICTURES_H
#define TESSARY_KEPTPICTURES_H

#include <optional>
#include <string>
#include <vector>

#include "filereplace.h"
#include "tables.h"

constexpr int keptReplacedLimit = 50;  // replaced slots kept per picture folder
constexpr int keptOrphanDays = 30;     // kept pictures of a folder gone are removed after this

// Why a picture is kept: an editor's unsaved copy; a slot's old picture,
// replaced by `s`; or an unsaved picture replaced by a load, a clear or
// another kept picture.
enum class KeptReason { unsaved, replaced, load, clear, kept };

// Where the kept pictures of one picture folder go.
struct KeptStore {
    std::string root;       // $XDG_STATE_HOME/tessary; empty when no state folder is known
    std::string directory;  // root/<name>-<hash>
    std::string folder;     // the picture folder, absolute
};
KeptStore keptStoreFor(const std::string& pictureFolder);
// The same for the working folder, the editor's picture folder.
KeptStore keptStoreForWorkingFolder();

// One kept picture. `tables` is filled only by readKeptPicture.
struct KeptPicture {
    std::string path;
    KeptReason reason = KeptReason::unsaved;
    int slot = 1;
    long long timeMs = 0;
    PictureTables tables;
};

// The file's text for a picture held as the texts of its two slot files.
std::string keptPictureText(KeptReason reason, int slot, const std::string& folder, long long timeMs,
                            const std::string& points, const std::string& lines);
// Reads a kept picture whole; nothing when it cannot be read or parsed whole.
std::optional<KeptPicture> readKeptPicture(const std::string& path);

// The kept pictures of the store that no running editor holds, read whole,
// newest first; `unreadable` gets the paths of those that cannot be read whole.
std::vector<KeptPicture> listKeptPictures(const KeptStore& store, std::vector<std::string>& unreadable);

// Keeps what slot nr's files in the working folder hold, before they are
// replaced by `next`, unless they hold that same picture, an empty one or no
// files. Then
// prunes the store to the newest keptReplacedLimit replaced slots.
struct ReplacedSlot {
    bool kept = false;
    std::string path;    // the kept picture's file when kept
    std::string failed;  // the path that could not be made or written; empty when none
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
    // it is this editor's from now on. `unreadable` gets the paths of copies
    // that could not be read whole; those are left as they are.
    std::optional<KeptPicture> claimLeft(const KeptStore& store, std::vector<std::string>& unreadable);
    // Writes the copy, making the store and taking a lock first when needed.
    // Returns the path that failed, or an empty string.
    std::string write(const KeptStore& store, const PictureTables& tables, int slot, long long timeMs);
    // Removes the copy and its lock.
    void remove();

private:
    void release();  // lets the lock go, leaving the files

    std::string base;  // directory/unsaved-XXXXXX; empty while this editor has no copy
    int lockFd = -1;
};

// Removes the kept pictures of picture folders that no longer exist once their
// files are older than keptOrphanDays, and such store folders once they are empty.
void pruneOrphanedStores(const std::string& root);

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
// files hold beside them, as "pixels<nr>.txt~" and "lines<nr>.txt~" (a file
// the slot lacks gives an empty one), both replaced together like the slot.
// The file that could not be written, with the reason; an empty path when
// both were.
constexpr const char* besideSuffix = "~";
FileFailure keepSlotBeside(int nr);

#endif
