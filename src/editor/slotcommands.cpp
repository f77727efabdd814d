// slotcommands.cpp - the save and load keys and their reports.
#include "slotcommands.h"

#include <string>

#include "colorunder.h"
#include "endsignals.h"
#include "historykeeping.h"
#include "keeping.h"
#include "promptline.h"
#include "slotlock.h"
#include "slots.h"

bool savePicture(Editor& e) {
    SlotReport failure;
    {
        const WriteInProgress writing;
        failure = writeSlot(e.picture.tables(), e.nr);
    }
    if (!failure.logged.empty()) {
        reportMessage(failure.message, failure.logged);
        return false;
    }
    e.picture.markSaved();
    keepHistoryWithSlot(e);
    return true;
}

bool loadPicture(Editor& e) {
    const SlotRead read = readSlot(e.nr);
    const std::optional<SlotReport> historyFault = placeLoadedSlot(e, read);
    e.picture.markSaved();  // what the slot holds, even read in part
    clearWindow(e);
    // After the clear, or the messages would be wiped at once.
    for (const SlotReport& report : read.reports) reportMessage(report.message, report.logged);
    if (historyFault) reportMessage(historyFault->message, historyFault->logged);
    else if (read.reports.empty()) showMessage("Loaded slot " + std::to_string(e.nr));
    return read.reports.empty();
}

void saveCommand(Editor& e) {
    // Keeping the old picture and replacing it are one step across editors.
    const SlotSaveLock lock(keptStoreForWorkingFolder(), e.nr, slotBusyWaitMs);
    if (lock.outcome() == SlotSaveLock::Outcome::busy) {
        const std::string slot = "Slot " + std::to_string(e.nr);
        reportMessage(slot + " busy: another editor is saving it",
                      "Not saved: " + slot + " busy: another editor has been saving it for " +
                          std::to_string(slotBusyWaitMs / 1000) + " s; the picture stays unsaved");
        return;
    }
    // Under the lock no other editor's save of the slot goes on.
    if (lock.outcome() == SlotSaveLock::Outcome::held) removeLeftSaveTemporaries(e.nr);
    const SaveNote note = keepSlotBeforeSave(e);  // the slot's old picture, before it goes
    if (!note.mayReplace || savePicture(e)) reportMessage(note.shown, note.logged);
}

void loadCommand(Editor& e) {
    if (keepBeforeReplacing(e, KeptReason::load)) loadPicture(e);
}
