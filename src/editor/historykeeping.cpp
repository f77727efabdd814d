// historykeeping.cpp - keeping a saved slot's history, and a kept history back in place.
#include "historykeeping.h"

#include <string>
#include <utility>

#include "copywriter.h"
#include "historystore.h"

namespace {

SlotReport faultReport(int nr, const HistoryFault& fault) {
    const std::string said = "History of slot " + std::to_string(nr) + " not read: ";
    return {FileMessage().text(said + fault.shown), said + fault.path + ": " + fault.logged};
}

std::optional<SlotReport> placeWithHistory(Editor& e, const PictureTables& tables, KeptHistory kept, int nr) {
    if (kept.history) e.picture.restore(tables, std::move(*kept.history));
    else e.picture.replace(tables);
    if (!kept.fault) return std::nullopt;
    return faultReport(nr, *kept.fault);
}

}  // namespace

void keepHistoryWithSlot(const Editor& e) { keepSlotHistory(e.nr, e.picture.tables(), e.picture.keptHistory()); }

std::optional<SlotReport> placeLoadedSlot(Editor& e, const PictureTables& tables) {
    finishSlotHistories();  // one asked for by a save just before is on disk
    return placeWithHistory(e, tables, readSlotHistory(keptStoreForWorkingFolder(), e.nr, tables), e.nr);
}

std::optional<SlotReport> placeRestoredCopy(Editor& e, const KeptPicture& left) {
    return placeWithHistory(e, left.tables, readCopyHistory(left.path, left.tables), left.slot);
}
