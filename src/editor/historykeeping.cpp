// historykeeping.cpp - keeping a saved slot's history, and a kept history back in place.
#include "historykeeping.h"

#include <string>
#include <utility>

#include "copywriter.h"
#include "historystore.h"

namespace {

// A slot's history that could not be read: left as it is while the picture
// is the one loaded from the slot, with no change made since.
struct UnreadSlotHistory {
    std::string store;  // the folder's store
    int nr;
    PictureTables tables;
    History history;  // the picture's after the load
    bool unchanged(const Picture& picture) const {
        return picture.tables() == tables && picture.keptHistory() == history;
    }
};

// Histories that could not be read, each left as it is (a newer version may
// read it) until the picture it belongs to changes.
struct UnreadHistories {
    std::optional<UnreadSlotHistory> slot;
    std::optional<PictureTables> copy;  // the restored copy's picture
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
        if (left->unchanged(e.picture)) return;
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
    left = UnreadSlotHistory{store.directory, e.nr, tables, e.picture.keptHistory()};
    // Files the load reports as damaged say already that they are not as saved.
    if (kept.fault->shown == historySlotChanged && !read.reports.empty()) return std::nullopt;
    return faultReport(notRead(e.nr), e.nr, *kept.fault);
}

std::optional<SlotReport> placeRestoredCopy(Editor& e, const KeptPicture& left) {
    KeptHistory kept = readCopyHistory(left.path, left.tables);
    unread().copy.reset();
    if (!placeWithHistory(e, left.tables, kept)) return std::nullopt;
    unread().copy = left.tables;
    return faultReport("Restored; history not read", left.slot, *kept.fault);
}

std::optional<History> copyHistoryToKeep(const Editor& e) {
    std::optional<PictureTables>& left = unread().copy;
    if (left && *left != e.picture.tables()) left.reset();
    if (left) return std::nullopt;
    return e.picture.keptHistory();
}
