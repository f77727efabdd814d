// keeping.cpp - what the unsaved copy should hold, restoring it, and key k.
#include "keeping.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

#include "copywriter.h"
#include "promptline.h"
#include "selection.h"

namespace {

// The module's state for the whole run.
struct Keeper {
    const Editor* editor = nullptr;  // the editor whose copy is kept at exit
    // Key k: the position among the kept pictures, and the tables it put in place.
    int kept = -1;
    std::optional<PictureTables> keptShown;
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
    return CopyContent{e.picture.tables(), e.nr};
}

// The last word at every way out; the window may be gone, so standard error only.
void keepAtExit() {
    const std::string failed = finishCopy(copyContent(*keeper().editor));
    if (!failed.empty()) std::fprintf(stderr, "Kept copy failed: %s\n", failed.c_str());
}

void reportUnreadable(const std::vector<FileFailure>& unreadable) {
    for (const FileFailure& file : unreadable)
        reportMessage("Kept picture unreadable: " + file.path,
                      "Kept picture unreadable: " + file.path + ": " + file.reason);
}

void restoreLeftCopy(Editor& e) {
    std::vector<FileFailure> unreadable;
    const std::optional<KeptPicture> left = claimLeftCopy(unreadable);
    reportUnreadable(unreadable);
    if (!left) return;
    e.picture.replace(left->tables);
    e.nr = left->slot;
    reportMessage("Restored unsaved picture", "Restored unsaved picture kept " +
                                                  clockTime(left->timeMs, "%Y-%m-%d %H:%M:%S") + ": " + left->path);
}

}  // namespace

void startKeeping(Editor& e) {
    keeper().editor = &e;
    std::atexit(keepAtExit);
    pruneKeptStores(keptStoreForWorkingFolder().root);
    restoreLeftCopy(e);
}

void keepAfterPass(const Editor& e) {
    wantCopy(copyContent(e));
    const std::string failed = takeCopyFailure();
    if (failed.empty()) return;
    reportMessage("Kept copy failed: " + failed);
    presentChanges();  // the pass has presented already
}

SaveNote keepSlotBeforeSave(const Editor& e) {
    const std::string slot = std::to_string(e.nr);
    const ReplacedSlot kept = keepReplacedSlot(keptStoreForWorkingFolder(), e.nr, e.picture.tables(), nowMs());
    if (kept.failed)
        return {"Saved; old slot " + slot + " not kept",
                "Kept copy failed: " + kept.failed->path + ": " + kept.failed->reason};
    if (!kept.kept) return {"Saved slot " + slot, ""};
    return {"Saved; old slot " + slot + " kept, k brings it",
            "Saved slot " + slot + "; its old picture is kept in " + kept.path + ", k brings it back"};
}

void keptPictureCommand(Editor& e) {
    Keeper& k = keeper();
    std::vector<FileFailure> unreadable;
    const std::vector<KeptPicture> pictures = listKeptPictures(keptStoreForWorkingFolder(), unreadable);
    reportUnreadable(unreadable);
    if (pictures.empty()) {
        reportMessage("No kept pictures");
        return;
    }
    // Each further k goes one older, unless the picture changed since the last one.
    const bool further = k.keptShown && *k.keptShown == e.picture.tables();
    const int count = static_cast<int>(pictures.size());
    k.kept = further ? (k.kept + 1) % count : 0;
    const KeptPicture& picture = pictures[k.kept];
    e.picture.replace(picture.tables);
    showRestoredPicture(e);
    k.keptShown = e.picture.tables();
    const std::string name = "Kept " + std::to_string(k.kept + 1) + " of " + std::to_string(count) + ": slot " +
                             std::to_string(picture.slot) + ", " + clockTime(picture.timeMs, "%H:%M");
    reportMessage(name, name + " (" + picture.path + ")");
}
