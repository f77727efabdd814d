// historykeeping.cpp - keeping a saved slot's history, and a kept history back in place.
#include "historykeeping.h"

#include <string>
#include <utility>

#include "copywriter.h"
#include "historystore.h"

namespace {

// A picture as it was placed: it is unchanged while it has its tables and
// history still (a change undone leaves a step to redo).
struct Placed {
    PictureTables tables;
    History history;
    explicit Placed(const Picture& picture) : tables(picture.tables()), history(picture.keptHistory()) {}
    bool unchanged(const Picture& picture) const {
        return picture.tables() == tables && picture.keptHistory() == history;
    }
};

// A slot's history that could not be read, and the picture loaded from the slot.
struct UnreadSlotHistory {
    std::string store;  // the folder's store
    int nr;
    Placed loaded;
};

// Histories that could not be read, each left as it is (a newer version may
// read it) until the picture it belongs to changes.
struct UnreadHistories {
    std::optional<UnreadSlotHistory> slot;
    std::optional<Placed> copy;  // the restored copy's picture
};

UnreadHistories& unread() {
    static UnreadHistories state;
    return state;
}

SlotReport faultReport(const std::string& said, int nr, const HistoryFault& fault) {
    return {FileMessage().text(said).reason(fault.shown),
            "History of slot " + std::to_string(nr) + " not read: " + fault.path + ": " + fault.logged};
}

std::string notRead(int nr) { return "History of slot " + std::to_string(nr) + " not read"; }

// Places `tables` with the history kept for them, or as one step; true when
// a history file was there but could not be read.
bool placeWithHistory(Editor& e, const PictureTables& tables, KeptHistory& kept) {
    if (kept.history) e.picture.restore(tables, std::move(*kept.history));
    else e.picture.replace(tables);
    return kept.fault.has_value();
}

}  // namespace

void keepHistoryWithSlot(const Editor& e) {
    std::optional<UnreadSlotHistory>& left = unread().slot;
    if (left && left->nr == e.nr && left->store == keptStoreForWorkingFolder().directory) {
        if (left->loaded.unchanged(e.picture)) return;
        left.reset();  // the slot's picture changes: its history with it
    }
    keepSlotHistory(e.nr, e.picture.tables(), e.picture.keptHistory());
}

std::optional<SlotReport> placeLoadedSlot(Editor& e, const SlotRead& read) {
    finishSlotHistories();  // one asked for by a save just before is on disk
    const PictureTables& tables = read.tables;
    const KeptStore store = keptStoreForWorkingFolder();
    KeptHistory kept = readSlotHistory(store, e.nr, tables);
    std::optional<UnreadSlotHistory>& left = unread().slot;
    if (!placeWithHistory(e, tables, kept)) {
        if (left && left->nr == e.nr && left->store == store.directory) left.reset();
        return std::nullopt;
    }
    left = UnreadSlotHistory{store.directory, e.nr, Placed(e.picture)};
    // Files the load reports as damaged say already that they are not as saved.
    if (kept.fault->shown == historySlotChanged && !read.reports.empty()) return std::nullopt;
    return faultReport(notRead(e.nr), e.nr, *kept.fault);
}

std::optional<SlotReport> placeRestoredCopy(Editor& e, const KeptPicture& left) {
    KeptHistory kept = readCopyHistory(left.path, left.tables);
    unread().copy.reset();
    if (!placeWithHistory(e, left.tables, kept)) return std::nullopt;
    unread().copy = Placed(e.picture);
    return faultReport("Restored; history not read", left.slot, *kept.fault);
}

std::optional<History> copyHistoryToKeep(const Editor& e) {
    std::optional<Placed>& left = unread().copy;
    if (left && !left->unchanged(e.picture)) left.reset();
    if (left) return std::nullopt;
    return e.picture.keptHistory();
}
