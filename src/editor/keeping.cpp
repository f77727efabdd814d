// keeping.cpp - what the unsaved copy should hold, restoring it, and key k.
#include "keeping.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>
#include <vector>

#include "copywriter.h"
#include "endsignals.h"
#include "historykeeping.h"
#include "promptline.h"
#include "selection.h"
#include "slots.h"

namespace {

// The module's state for the whole run.
struct Keeper {
    const Editor* editor = nullptr;  // the editor whose copy is kept at exit
    // Key k: the kept picture it put in place last, and its tables.
    std::string keptPath;
    std::optional<PictureTables> keptShown;
    ShownHold shownHold;  // on keptPath, so that no editor prunes it meanwhile
    std::set<std::string> failuresTold;  // each told once per run
};

Keeper& keeper() {
    static Keeper state;
    return state;
}

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// A kept picture's time as local time, in a strftime `format`.
std::string clockTime(long long timeMs, const char* format) {
    const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm local = {};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// The copy holds an unsaved picture that is not empty, and nothing else.
std::optional<CopyContent> copyContent(const Editor& e) {
    if (!e.picture.unsaved() || e.picture.tables().empty()) return std::nullopt;
    return CopyContent{e.picture.tables(), e.nr, copyHistoryToKeep(e)};
}

// A failure as it is told: "<path>: <reason>".
std::string failureText(const FileFailure& failure) { return failure.path + ": " + failure.reason; }

// True the first time `failure` comes in this run.
bool firstTime(const std::string& failure) { return keeper().failuresTold.insert(failure).second; }

// A failure of the store (failureText), on the prompt line and standard
// error, or on standard error only; once per run either way. True when it was
// shown now.
bool reportKeptFailure(const std::string& failure) {
    if (failure.empty() || !firstTime(failure)) return false;
    // The system's reason has no ": " of its own; the path may.
    const std::size_t reasonAt = failure.rfind(": ");
    FileMessage message = FileMessage().text("Kept copy failed: ");
    if (reasonAt == std::string::npos) {
        message.name(failure);
    } else {
        message.name(failure.substr(0, reasonAt)).reason(failure.substr(reasonAt + 2));
    }
    reportMessage(message);
    return true;
}

void logKeptFailure(const std::string& failure) {
    if (!failure.empty() && firstTime(failure)) std::fprintf(stderr, "Kept copy failed: %s\n", failure.c_str());
}

// The last word at every way out; the window may be gone, so standard error only.
void keepAtExit() {
    const std::string failed = finishCopy(copyContent(*keeper().editor));
    if (!failed.empty()) logKeptFailure(failed);
}

// True when `tables` is what `k` put in place, unchanged, and its file is
// still in the store (another editor's pruning may have removed it).
bool keptAlready(const PictureTables& tables) {
    const Keeper& k = keeper();
    struct stat info;
    return k.keptShown && *k.keptShown == tables && lstat(k.keptPath.c_str(), &info) == 0;
}

// What keeping an unsaved picture came to: what was kept, or what failed;
// neither when there was nothing to keep.
struct Keeping {
    std::optional<KeptPicture> kept;
    std::optional<FileFailure> failed;
};

// Keeps e's picture in the store before something replaces it, unless it is
// saved, empty, or kept already.
Keeping keepUnsavedPicture(const Editor& e, KeptReason why) {
    const PictureTables& tables = e.picture.tables();
    if (!e.picture.unsaved() || tables.empty() || keptAlready(tables)) return {};
    const WriteInProgress writing;
    const long long timeMs = nowMs();
    const KeptStore store = keptStoreForWorkingFolder();
    const ReplacedSlot kept = keepPicture(store, why, e.nr, tables, timeMs);
    if (!kept.kept) return {std::nullopt, kept.failed};
    return {KeptPicture{kept.path, why, e.nr, timeMs, tables, store.folder}, std::nullopt};
}

// Keeps e's picture before `action` replaces it; false, telling why, when it
// could not be kept: then the picture stays, and `s` can still save it.
bool keptBefore(const Editor& e, KeptReason why, const std::string& action, std::optional<KeptPicture>& kept) {
    Keeping keeping = keepUnsavedPicture(e, why);
    kept = std::move(keeping.kept);
    if (!keeping.failed) return true;
    // Room on the prompt line for the reason whole: "Not replaced, not kept: No space left".
    reportMessage(FileMessage().text("Not " + action + ", not kept").reason(keeping.failed->reason),
                  "Not " + action + ": the unsaved picture could not be kept: " + failureText(*keeping.failed) +
                      "; s saves it to a slot");
    return false;
}

// What a kept picture was, for `k`: in at most 13 characters for the prompt
// line ("Kept 101 of 101: replaced by l, 23:59:59" fills its 40), and whole.
struct KeptWords {
    std::string shown, logged;
};
KeptWords keptWords(const KeptPicture& picture) {
    const std::string slot = "slot " + std::to_string(picture.slot);
    const std::string unsaved = "an unsaved picture of " + slot;
    switch (picture.reason) {
    case KeptReason::replaced: return {"old " + slot, slot + "'s old picture, replaced by s"};
    case KeptReason::unsaved: return {"unsaved " + slot, unsaved + " left by an editor that ended"};
    case KeptReason::load: return {"replaced by l", unsaved + ", replaced by l"};
    case KeptReason::clear: return {"cleared", unsaved + ", cleared"};
    case KeptReason::kept: return {"replaced by k", unsaved + ", replaced by k"};
    }
    return {slot, slot};
}

// The position of the kept picture at `path` among `pictures`; -1 when it is not there.
int positionOf(const std::vector<KeptPicture>& pictures, const std::string& path) {
    for (std::size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i].path == path) return static_cast<int>(i);
    return -1;
}

void reportUnreadable(const std::vector<FileFailure>& unreadable) {
    for (const FileFailure& file : unreadable)
        reportMessage(FileMessage().text("Kept picture unreadable: ").name(file.path).reason(file.reason));
}

bool restoreLeftCopy(Editor& e) {
    std::vector<FileFailure> unreadable;
    const std::optional<KeptPicture> left = claimLeftCopy(unreadable);
    reportUnreadable(unreadable);
    if (!left) return false;
    const std::optional<SlotReport> historyFault = placeRestoredCopy(e, *left);
    e.nr = left->slot;
    const std::string restored =
        "Restored unsaved picture kept " + clockTime(left->timeMs, "%Y-%m-%d %H:%M:%S") + ": " + left->path;
    // One message on the prompt line: what came back, and why its history did not.
    if (historyFault) reportMessage(historyFault->message, restored + "\n" + historyFault->logged);
    else reportMessage("Restored unsaved picture", restored);
    return true;
}

}  // namespace

bool startKeeping(Editor& e) {
    keeper().editor = &e;
    std::atexit(keepAtExit);
    pruneKeptStores(keptStoreForWorkingFolder().root);
    return restoreLeftCopy(e);
}

void endKeeping() { keepAtExit(); }

void keepAfterPass(const Editor& e) {
    wantCopy(copyContent(e));
    if (reportKeptFailure(takeCopyFailure())) presentChanges();  // the pass has presented already
    // The save's own message keeps the prompt line.
    logKeptFailure(takeSlotHistoryFailure());
}

SaveNote keepSlotBeforeSave(const Editor& e) {
    const WriteInProgress writing;
    const std::string slot = std::to_string(e.nr);
    const ReplacedSlot kept = keepReplacedSlot(keptStoreForWorkingFolder(), e.nr, e.picture.tables(), nowMs());
    if (kept.kept) {
        return {true, FileMessage().text("Saved; old slot " + slot + " kept, k brings it"),
                "Saved slot " + slot + "; its old picture is kept in " + kept.path + ", k brings it back"};
    }
    if (!kept.failed) return {true, FileMessage().text("Saved slot " + slot), ""};
    // The store cannot take it: beside the slot's files, or the slot stays.
    const std::string failure = failureText(*kept.failed);
    logKeptFailure(failure);
    const std::optional<FileFailure> beside = keepSlotBeside(e.nr);
    const PictureFileNames names = slotFileNames(e.nr);
    if (!beside) {
        return {true, FileMessage().text("Saved; old slot " + slot + " kept in ").name(std::string(names.points) + besideSuffix),
                "Saved slot " + slot + "; its old picture is kept in " + names.points + besideSuffix + " and " +
                    names.lines + besideSuffix};
    }
    return {false, FileMessage().text("Not saved: old slot " + slot + " could not be kept"),
            "Not saved: slot " + slot + "'s old picture could not be kept: " + failure + ", " +
                failureText(*beside)};
}

bool keepBeforeReplacing(const Editor& e, KeptReason why) {
    std::optional<KeptPicture> kept;
    return keptBefore(e, why, why == KeptReason::load ? "loaded" : "cleared", kept);
}

void keptPictureCommand(Editor& e) {
    Keeper& k = keeper();
    std::vector<FileFailure> unreadable;
    std::vector<KeptPicture> pictures = listKeptPictures(keptStoreForWorkingFolder(), unreadable);
    reportUnreadable(unreadable);
    if (pictures.empty()) {
        reportMessage("No kept pictures");
        return;
    }
    // Each further k goes one older, unless the picture changed since the last
    // one: then the newest, and an unsaved picture is kept first, as newer still.
    const bool further = k.keptShown && *k.keptShown == e.picture.tables();
    int next = further ? positionOf(pictures, k.keptPath) + 1 : 0;
    std::optional<KeptPicture> kept;
    if (!keptBefore(e, KeptReason::kept, "replaced", kept)) return;
    if (kept) {
        pictures.insert(pictures.begin(), std::move(*kept));
        next = 1;
    }
    const int count = static_cast<int>(pictures.size());
    next %= count;
    const KeptPicture& picture = pictures[next];
    e.picture.replace(picture.tables);
    showRestoredPicture(e);
    k.keptShown = e.picture.tables();
    k.keptPath = picture.path;
    const WriteInProgress writing;  // the hold's file is made in the store
    k.shownHold.hold(picture.path);
    const std::string position = "Kept " + std::to_string(next + 1) + " of " + std::to_string(count) + ": ";
    const KeptWords words = keptWords(picture);
    reportMessage(position + words.shown + ", " + clockTime(picture.timeMs, "%H:%M:%S"),
                  position + words.logged + ", kept " + clockTime(picture.timeMs, "%Y-%m-%d %H:%M:%S") + " (" +
                      picture.path + ")");
}
