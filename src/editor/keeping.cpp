// keeping.cpp - when the unsaved copy is written, restored and removed, and key k.
#include "keeping.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "keptpictures.h"
#include "keys.h"
#include "promptline.h"
#include "wakeup.h"

namespace {

using Clock = std::chrono::steady_clock;
// The copy is written at most this often while changes go on.
constexpr std::chrono::milliseconds copyInterval(1000);

// The module's state for the whole run.
struct Keeper {
    const Editor* editor = nullptr;  // the editor whose copy is kept at exit
    UnsavedCopy copy;
    // What the copy holds, when there is one: the tables and the slot.
    std::optional<PictureTables> written;
    int writtenSlot = 0;
    std::optional<PictureTables> failedOn;  // tables whose copy could not be written
    bool failureReported = false;           // a failing store is reported once a run
    Clock::time_point lastWrite;
    // Key k: the position in the kept pictures and the tables it put in place.
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

KeptStore currentStore() { return keptStoreFor(std::filesystem::current_path().string()); }

// "14:02", local time.
std::string clockTime(long long timeMs, const char* format) {
    const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm local = {};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

bool wantsCopy(const Editor& e) { return e.picture.unsaved() && !e.picture.tables().empty(); }

bool copyCurrent(const Editor& e) {
    const Keeper& k = keeper();
    return k.written && *k.written == e.picture.tables() && k.writtenSlot == e.nr;
}

// Writes the copy; returns the path that failed, or an empty string.
std::string writeCopy(const Editor& e) {
    Keeper& k = keeper();
    k.lastWrite = Clock::now();
    const std::string failed = k.copy.write(currentStore(), e.picture.tables(), e.nr, nowMs());
    if (failed.empty()) {
        k.written = e.picture.tables();
        k.writtenSlot = e.nr;
        k.failedOn.reset();
    } else {
        k.failedOn = e.picture.tables();
    }
    return failed;
}

void removeCopy() {
    Keeper& k = keeper();
    k.copy.remove();
    k.written.reset();
}

// The last word at every way out; the window may be gone, so standard error only.
void keepAtExit() {
    const Editor* e = keeper().editor;
    if (!e) return;
    if (!wantsCopy(*e)) {
        removeCopy();
    } else if (!copyCurrent(*e)) {
        const std::string failed = writeCopy(*e);
        if (!failed.empty()) std::fprintf(stderr, "Kept copy failed: %s\n", failed.c_str());
    }
}

void restoreLeftCopy(Editor& e) {
    Keeper& k = keeper();
    std::vector<std::string> unreadable;
    const std::optional<KeptPicture> left = k.copy.claimLeft(currentStore(), unreadable);
    for (const std::string& path : unreadable) reportMessage("Kept picture unreadable: " + path);
    if (!left) return;
    e.picture.replace(left->tables);
    e.nr = left->slot;
    k.written = left->tables;
    k.writtenSlot = left->slot;
    reportMessage("Restored unsaved picture", "Restored unsaved picture kept " +
                                                  clockTime(left->timeMs, "%Y-%m-%d %H:%M:%S") + ": " + left->path);
}

}  // namespace

void startKeeping(Editor& e) {
    keeper().editor = &e;
    std::atexit(keepAtExit);
    const KeptStore store = currentStore();
    if (!store.root.empty()) pruneOrphanedStores(store.root);
    restoreLeftCopy(e);
}

void keepAfterPass(const Editor& e) {
    Keeper& k = keeper();
    if (!wantsCopy(e)) {
        if (k.written) removeCopy();
        cancelWakeUp();
        return;
    }
    if (copyCurrent(e) || (k.failedOn && *k.failedOn == e.picture.tables())) {
        cancelWakeUp();
        return;
    }
    const Clock::time_point due = k.lastWrite + copyInterval;
    if (Clock::now() < due) {
        wakeAt(due);
        return;
    }
    const std::string failed = writeCopy(e);
    if (failed.empty() || k.failureReported) return;
    k.failureReported = true;
    reportMessage("Kept copy failed: " + failed);
    redraw();  // the pass has presented already
}

SaveNote keepSlotBeforeSave(const Editor& e) {
    const std::string slot = std::to_string(e.nr);
    const ReplacedSlot kept = keepReplacedSlot(currentStore(), e.nr, e.picture.tables(), nowMs());
    if (!kept.failed.empty()) return {"Saved; old slot " + slot + " not kept", "Kept copy failed: " + kept.failed};
    if (!kept.kept) return {"Saved slot " + slot, "Saved slot " + slot};
    return {"Saved; old slot " + slot + " kept, k brings it",
            "Saved slot " + slot + "; its old picture is kept in " + kept.path + ", k brings it back"};
}

void keptPictureCommand(Editor& e) {
    Keeper& k = keeper();
    std::vector<std::string> unreadable;
    const std::vector<KeptPicture> pictures = listKeptPictures(currentStore(), unreadable);
    for (const std::string& path : unreadable) reportMessage("Kept picture unreadable: " + path);
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
