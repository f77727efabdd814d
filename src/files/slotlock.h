// slotlock.h - one save of a slot at a time, across every editor of the user.
//
// A save keeps the picture the slot holds (keptpictures.h), then replaces it
// (slots.h). Were two editors to do that at once, both would keep the same
// old picture and the first one's picture would then be in neither the slot
// nor the store. A save therefore holds an advisory lock (flock) on
// "slot<nr>.saving" in the store of the picture folder for both steps; the
// store is one per folder (by its absolute path), so the lock is one per
// folder and slot. It lives there, not beside the slot's files, because the
// picture folder is the user's: it may be read only, and no file the user did
// not ask for appears in it. The lock files stay (seven at most a folder) and
// go with the store; a file removed meanwhile is noticed and made again.
//
// While it is held, the temporaries a killed save of that slot left can be
// told from those of a save going on, and go (removeLeftSaveTemporaries).
//
//     const SlotSaveLock lock(keptStoreForWorkingFolder(), nr, slotBusyWaitMs);
//     if (lock.outcome() == SlotSaveLock::Outcome::busy) ... refuse;
//     removeLeftSaveTemporaries(nr);
//     ... keep the old picture, write the slot ...
#ifndef TESSARY_SLOTLOCK_H
#define TESSARY_SLOTLOCK_H

#include <ctime>

#include "keptpictures.h"

// How long a save waits for another editor's save of the same slot.
constexpr int slotBusyWaitMs = 3000;
// A temporary unchanged this long belongs to no save going on.
constexpr std::time_t leftTemporaryAgeSeconds = 60;

class SlotSaveLock {
public:
    enum class Outcome {
        held,  // this save is the only one
        busy,  // another editor kept it for waitMs
        none,  // no store to hold it in: the save goes on without
    };
    // Takes the lock of slot nr of the store's folder, waiting up to `waitMs`.
    SlotSaveLock(const KeptStore& store, int nr, int waitMs);
    ~SlotSaveLock();
    SlotSaveLock(const SlotSaveLock&) = delete;
    SlotSaveLock& operator=(const SlotSaveLock&) = delete;

    Outcome outcome() const { return result; }

private:
    int fd = -1;
    Outcome result = Outcome::none;
};

// Removes what killed saves of slot nr of the working folder left: the
// temporaries of its two files and of the old picture kept beside them
// (filereplace.h's removeLeftTemporaries, leftTemporaryAgeSeconds old).
void removeLeftSaveTemporaries(int nr);

#endif
